// The command line edits like a shell's and keeps a history browsed with Up and Down.
#include "tui/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void type(CommandLine& line, std::wstring_view text)
{
    for (const wchar_t ch : text)
        line.handle(InputEvent::ofCharacter(ch));
}

void press(CommandLine& line, Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        line.handle(InputEvent::ofKey(key));
}

TEST(CommandLine, EditingKeysChangeTextAtTheCaret)
{
    struct Step {
        std::vector<InputEvent> events;
        std::wstring text;
        std::size_t caret;
    };
    const std::vector<Step> steps = {
        {{InputEvent::ofCharacter(L'P'), InputEvent::ofCharacter(L'i')}, L"Pi", 2},
        {{InputEvent::ofKey(Key::Home), InputEvent::ofCharacter(L'_')}, L"_Pi", 1},
        {{InputEvent::ofKey(Key::Delete)}, L"_i", 1},
        {{InputEvent::ofKey(Key::Backspace), InputEvent::ofControl(L'H')}, L"i", 0},
        {{InputEvent::ofKey(Key::End), InputEvent::ofKey(Key::Right), InputEvent::ofCharacter(L'!')}, L"i!", 2},
        {{InputEvent::ofKey(Key::Left), InputEvent::ofControl(L'K')}, L"i", 1},
        {{InputEvent::ofControl(L'A'), InputEvent::ofKey(Key::Left)}, L"i", 0},
        // Keys that are not editing keys leave the line alone.
        {{InputEvent::ofKey(Key::Tab), InputEvent::ofCharacter(L'x', true), InputEvent::ofKey(Key::F10)}, L"i", 0},
        {{InputEvent::ofControl(L'U')}, L"", 0},
    };
    CommandLine line;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        for (const InputEvent& event : steps[i].events)
            EXPECT_FALSE(line.handle(event));
        EXPECT_EQ(line.text(), steps[i].text) << "step " << i;
        EXPECT_EQ(line.caret(), steps[i].caret) << "step " << i;
    }
}

TEST(CommandLine, EnterSubmitsAndHistoryKeepsTheDraft)
{
    CommandLine line;
    type(line, L"Print 1");
    EXPECT_EQ(line.handle(InputEvent::ofKey(Key::Enter)), L"Print 1");
    EXPECT_EQ(line.text(), L"");
    type(line, L"FIARUNNER");
    EXPECT_EQ(line.handle(InputEvent::ofControl(L'J')), L"FIARUNNER");
    // The same line twice in a row is kept once; an empty line is submitted but not kept.
    type(line, L"FIARUNNER");
    line.handle(InputEvent::ofKey(Key::Enter));
    EXPECT_EQ(line.handle(InputEvent::ofKey(Key::Enter)), L"");
    EXPECT_EQ(line.history(), (std::vector<std::wstring>{L"Print 1", L"FIARUNNER"}));

    type(line, L"draft");
    press(line, Key::Up);
    EXPECT_EQ(line.text(), L"FIARUNNER");
    press(line, Key::Up, 5);
    EXPECT_EQ(line.text(), L"Print 1");
    EXPECT_EQ(line.caret(), 7u);
    press(line, Key::Down);
    EXPECT_EQ(line.text(), L"FIARUNNER");
    press(line, Key::Down, 3);
    EXPECT_EQ(line.text(), L"draft");

    // A recalled line can be edited and sent.
    press(line, Key::Up);
    type(line, L",1");
    EXPECT_EQ(line.handle(InputEvent::ofKey(Key::Enter)), L"FIARUNNER,1");
}

} // namespace
