// Tool bar and status bar commands of scripts and the command line, on the platform's bar
// automation.
#include "ControlBarCommands.h"

#include "AutomationCommands.h"

#include "kernel/Text.h"
#include "win/ControlBarAutomation.h"

namespace {

using BarShape = AutomationCommands::CommandShape;

const BarShape shapes[] = {
    {L"ExpectPane", 3, 3, L"ExpectPane \"title\", pane, \"text\""},
    {L"ExpectTip", 3, 3, L"ExpectTip \"title\", id, \"text\""},
};

// "shows "actual", expected "wanted"", or nothing when they are the same.
std::optional<std::wstring> compare(const std::wstring& what, const std::wstring& actual, const std::wstring& wanted)
{
    if (actual == wanted)
        return std::nullopt;
    return what + L" shows \"" + actual + L"\", expected \"" + wanted + L"\"";
}

} // namespace

bool ControlBarCommands::isControlBarCommand(std::wstring_view command)
{
    return AutomationCommands::shapeOf(shapes, command) != nullptr;
}

std::optional<std::wstring> ControlBarCommands::run(const AutomationLine& line)
{
    const BarShape* shape = AutomationCommands::shapeOf(shapes, line.command);
    if (auto wrongCount = AutomationCommands::argumentCountFailure(*shape, line))
        return wrongCount;
    const std::wstring& title = line.arguments[0];
    const std::wstring& wanted = line.arguments[2];
    std::optional<std::wstring> mismatch;
    const auto failure = AutomationCommands::onControl(line, [&](HWND window, int number) {
        std::wstring actual;
        if (EqualsNoCase(shape->name, L"ExpectPane")) {
            const ActionResult read = ControlBarAutomation::paneText(window, number, actual);
            if (read)
                mismatch = compare(L"pane " + std::to_wstring(number) + L" of the status bar of \"" + title + L"\"", actual, wanted);
            return read;
        }
        const ActionResult rested = ControlBarAutomation::restOnButton(window, static_cast<UINT>(number), actual);
        if (rested)
            mismatch = compare(L"the tip of tool bar button " + std::to_wstring(number) + L" of \"" + title + L"\"",
                               actual, wanted);
        return rested;
    });
    return failure ? failure : mismatch;
}
