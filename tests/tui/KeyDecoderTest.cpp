// What the terminal reads becomes the keys and characters the front end acts on.
#include "tui/KeyDecoder.h"

#include <gtest/gtest.h>

#include <vector>

// Only the key codes are wanted, not the macros that would shadow std::move and friends.
#define NCURSES_NOMACROS
#include <curses.h>

namespace {

struct Code {
    int code;
    bool functionKey;
};

struct Case {
    const char* name;
    std::vector<Code> codes;
    std::vector<InputEvent> expected;
};

TEST(KeyDecoder, DecodesTheKeysTheFrontEndUses)
{
    constexpr int esc = 0x1B;
    const std::vector<Case> cases = {
        {"tab", {{'\t', false}}, {InputEvent::ofKey(Key::Tab)}},
        {"shift tab", {{KEY_BTAB, true}}, {InputEvent::ofKey(Key::BackTab)}},
        {"arrows", {{KEY_UP, true}, {KEY_LEFT, true}}, {InputEvent::ofKey(Key::Up), InputEvent::ofKey(Key::Left)}},
        {"enter as return", {{'\r', false}}, {InputEvent::ofKey(Key::Enter)}},
        {"enter on keypad", {{KEY_ENTER, true}}, {InputEvent::ofKey(Key::Enter)}},
        {"backspace as delete", {{0x7F, false}}, {InputEvent::ofKey(Key::Backspace)}},
        {"f10", {{KEY_F(10), true}}, {InputEvent::ofKey(Key::F10)}},
        {"printable", {{'r', false}, {L'é', false}}, {InputEvent::ofCharacter(L'r'), InputEvent::ofCharacter(L'é')}},
        {"control letter", {{0x01, false}}, {InputEvent::ofControl(L'A')}},
        {"line feed and backspace character are their control letters", {{'\n', false}, {0x08, false}},
         {InputEvent::ofControl(L'J'), InputEvent::ofControl(L'H')}},
        {"f2 puts control on the next key", {{KEY_F(2), true}, {'m', false}, {'m', false}},
         {InputEvent::ofControl(L'M'), InputEvent::ofCharacter(L'm')}},
        {"f2 enter and f2 tab", {{KEY_F(2), true}, {'\r', false}, {KEY_F(2), true}, {'\t', false}},
         {InputEvent::ofControl(L'M'), InputEvent::ofControl(L'I')}},
        {"f2 alt letter", {{KEY_F(2), true}, {esc, false}, {'m', false}}, {InputEvent{InputEvent::Kind::Character, Key::None, L'M', true, true}}},
        {"alt letter", {{esc, false}, {'g', false}}, {InputEvent::ofCharacter(L'g', true)}},
        {"alt arrow", {{esc, false}, {KEY_DOWN, true}}, {InputEvent::ofKey(Key::Down, true)}},
        {"double escape", {{esc, false}, {esc, false}}, {InputEvent::ofKey(Key::Escape)}},
        {"resize", {{KEY_RESIZE, true}}, {InputEvent::ofResize()}},
        {"shift arrows", {{KEY_SF, true}, {KEY_SR, true}}, {InputEvent::ofKey(Key::Down).withShift(), InputEvent::ofKey(Key::Up).withShift()}},
        {"shift end", {{KEY_SEND, true}}, {InputEvent::ofKey(Key::End).withShift()}},
        {"control space", {{0, false}}, {InputEvent::ofControl(L' ')}},
        {"unknown function key", {{KEY_F(12), true}}, {}},
    };
    for (const Case& c : cases) {
        KeyDecoder decoder;
        std::vector<InputEvent> events;
        for (const Code& code : c.codes)
            if (auto event = decoder.feed(code.code, code.functionKey))
                events.push_back(*event);
        EXPECT_EQ(events, c.expected) << c.name;
        EXPECT_FALSE(decoder.escapePending()) << c.name;
    }
}

TEST(KeyDecoder, KeysWithModifiersTakeTheCodesTheTerminalDescriptionGivesThem)
{
    KeyDecoder decoder;
    const int controlUp = KEY_MAX + 7;
    EXPECT_FALSE(decoder.feed(controlUp, true));
    decoder.addKey(controlUp, InputEvent::ofKey(Key::Up).withCtrl());
    EXPECT_EQ(decoder.feed(controlUp, true), InputEvent::ofKey(Key::Up).withCtrl());
    EXPECT_EQ(decoder.feed(KEY_UP, true), InputEvent::ofKey(Key::Up));
}

} // namespace
