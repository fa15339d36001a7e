// Key decoding from ncurses codes; kept apart from the terminal so that tests feed it codes.
#include "KeyDecoder.h"

#include <curses.h>

#include <cwctype>

std::optional<InputEvent> KeyDecoder::feed(int code, bool isFunctionKey)
{
    constexpr wchar_t escape = 0x1B;
    if (!isFunctionKey && code == escape) {
        if (!m_escapePending) {
            m_escapePending = true;
            return std::nullopt;
        }
        // Two in a row are the Escape key, as some terminals send it with Alt held.
        m_escapePending = false;
        return InputEvent::ofKey(Key::Escape);
    }
    const bool alt = m_escapePending;
    m_escapePending = false;
    auto event = isFunctionKey ? decodeFunctionKey(code) : decodeCharacter(static_cast<wchar_t>(code));
    if (!event)
        return event;
    event->alt = alt;
    if (event->isKey(Key::F2)) {
        m_controlPending = true;
        return std::nullopt;
    }
    return m_controlPending ? withControl(*event) : event;
}

InputEvent KeyDecoder::withControl(InputEvent event)
{
    m_controlPending = false;
    // F2 Enter and F2 Tab are the very keys a terminal sends for Ctrl+M and Ctrl+I.
    if (event.isKey(Key::Enter) || event.isKey(Key::Tab)) {
        InputEvent letter = InputEvent::ofControl(event.isKey(Key::Enter) ? L'M' : L'I');
        letter.alt = event.alt;
        return letter;
    }
    if (event.kind == InputEvent::Kind::Character)
        event.ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(event.ch)));
    event.ctrl = true;
    return event;
}

std::optional<InputEvent> KeyDecoder::escapeTimedOut()
{
    if (!m_escapePending)
        return std::nullopt;
    m_escapePending = false;
    return m_controlPending ? withControl(InputEvent::ofKey(Key::Escape)) : InputEvent::ofKey(Key::Escape);
}

std::optional<InputEvent> KeyDecoder::decodeFunctionKey(int code) const
{
    switch (code) {
    case KEY_UP: return InputEvent::ofKey(Key::Up);
    case KEY_DOWN: return InputEvent::ofKey(Key::Down);
    case KEY_LEFT: return InputEvent::ofKey(Key::Left);
    case KEY_RIGHT: return InputEvent::ofKey(Key::Right);
    case KEY_HOME: return InputEvent::ofKey(Key::Home);
    case KEY_END: return InputEvent::ofKey(Key::End);
    case KEY_PPAGE: return InputEvent::ofKey(Key::PageUp);
    case KEY_NPAGE: return InputEvent::ofKey(Key::PageDown);
    case KEY_ENTER: return InputEvent::ofKey(Key::Enter);
    case KEY_BACKSPACE: return InputEvent::ofKey(Key::Backspace);
    case KEY_DC: return InputEvent::ofKey(Key::Delete);
    case KEY_IC: return InputEvent::ofKey(Key::Insert);
    case KEY_BTAB: return InputEvent::ofKey(Key::BackTab);
    case KEY_RESIZE: return InputEvent::ofResize();
    case KEY_SR: return InputEvent::ofKey(Key::Up).withShift();
    case KEY_SF: return InputEvent::ofKey(Key::Down).withShift();
    case KEY_SLEFT: return InputEvent::ofKey(Key::Left).withShift();
    case KEY_SRIGHT: return InputEvent::ofKey(Key::Right).withShift();
    case KEY_SHOME: return InputEvent::ofKey(Key::Home).withShift();
    case KEY_SEND: return InputEvent::ofKey(Key::End).withShift();
    case KEY_SPREVIOUS: return InputEvent::ofKey(Key::PageUp).withShift();
    case KEY_SNEXT: return InputEvent::ofKey(Key::PageDown).withShift();
    default: break;
    }
    if (const auto extra = m_extraKeys.find(code); extra != m_extraKeys.end())
        return extra->second;
    if (code == KEY_F(1))
        return InputEvent::ofKey(Key::F1);
    if (code == KEY_F(2))
        return InputEvent::ofKey(Key::F2);
    if (code == KEY_F(4))
        return InputEvent::ofKey(Key::F4);
    if (code == KEY_F(6))
        return InputEvent::ofKey(Key::F6);
    if (code == KEY_F(7))
        return InputEvent::ofKey(Key::F7);
    if (code == KEY_F(8))
        return InputEvent::ofKey(Key::F8);
    if (code == KEY_F(10))
        return InputEvent::ofKey(Key::F10);
    return std::nullopt;
}

std::optional<InputEvent> KeyDecoder::decodeCharacter(wchar_t ch) const
{
    switch (ch) {
    case L'\t': return InputEvent::ofKey(Key::Tab);
    case L'\r': return InputEvent::ofKey(Key::Enter);
    // With nonl() Enter comes as a carriage return and Backspace as DEL, so a line feed and a
    // backspace character are Ctrl+J and Ctrl+H, not another key's meaning.
    case 0x7F: return InputEvent::ofKey(Key::Backspace);
    case 0: return InputEvent::ofControl(L' ');
    default: break;
    }
    if (ch >= 1 && ch <= 26)
        return InputEvent::ofControl(static_cast<wchar_t>(L'A' + ch - 1));
    if (ch < L' ')
        return std::nullopt;
    return InputEvent::ofCharacter(ch);
}
