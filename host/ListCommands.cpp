// List view commands of scripts and the command line, on the platform's list automation.
#include "ListCommands.h"

#include "kernel/Text.h"
#include "win/ListViewAutomation.h"
#include "win/ListViewSnapshot.h"

#include <cwchar>
#include <functional>
#include <vector>

namespace {

using Failure = AutomationCommand::Failure;
using Output = AutomationCommand::Output;

// A whole number from 0 on, as an item index or a count is written.
std::optional<int> wholeNumber(const std::wstring& text)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || value < 0 || value > 0x7FFFFFFF)
        return std::nullopt;
    return static_cast<int>(value);
}

ActionResult refused(std::wstring message) { return ActionResult{false, std::move(message)}; }

// "i,j,..." as indexes; none for "" and for text that is not such a list.
std::optional<std::vector<int>> indexesOf(const std::wstring& text)
{
    std::vector<int> indexes;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t comma = std::min(text.find(L',', start), text.size());
        std::wstring part = text.substr(start, comma - start);
        std::erase(part, L' ');
        const auto index = wholeNumber(part);
        if (!index)
            return std::nullopt;
        indexes.push_back(*index);
        start = comma + 1;
        if (comma + 1 == text.size())
            return std::nullopt;
    }
    return indexes;
}

// Runs a check on the list's contents.
Failure expect(const AutomationLine& line, const std::function<ActionResult(const ListViewInfo&)>& check)
{
    return AutomationCommand::onControl(line, [&](HWND window, int id) {
        ListViewInfo list;
        if (ActionResult found = ListViewAutomation::inspect(window, id, list); !found)
            return found;
        return check(list);
    });
}

// The item the line's third argument names, or why there is none.
ActionResult itemOf(const AutomationLine& line, const ListViewInfo& list, const ListItemInfo*& item)
{
    const auto index = wholeNumber(line.arguments[2]);
    if (!index)
        return refused(L"the index \"" + line.arguments[2] + L"\" is not a whole number from 0");
    if (static_cast<std::size_t>(*index) >= list.items.size())
        return refused(L"control " + line.arguments[1] + L" has no item " + line.arguments[2] + L" (it has " +
                       std::to_wstring(list.items.size()) + L")");
    item = &list.items[static_cast<std::size_t>(*index)];
    return {};
}

Failure withIndex(const AutomationLine& line, const std::function<ActionResult(HWND, int, int)>& action)
{
    const auto index = wholeNumber(line.arguments[2]);
    if (!index)
        return L"the index \"" + line.arguments[2] + L"\" is not a whole number from 0";
    return AutomationCommand::onControl(line, [&](HWND window, int id) { return action(window, id, *index); });
}

Failure selectItems(const AutomationLine& line, const Output&)
{
    const auto indexes = indexesOf(line.arguments[2]);
    if (!indexes)
        return L"\"" + line.arguments[2] + L"\" is not a list of item indexes such as \"0,2,5\"";
    return AutomationCommand::onControl(line, [&](HWND window, int id) { return ListViewAutomation::selectItems(window, id, *indexes); });
}

Failure clickItem(const AutomationLine& line, const Output&)
{
    const bool onState = line.arguments.size() == 4;
    if (onState && !EqualsNoCase(line.arguments[3], L"state"))
        return L"ClickItem's fourth argument can only be \"state\", not \"" + line.arguments[3] + L"\"";
    return withIndex(line, [&](HWND window, int id, int index) { return ListViewAutomation::clickItem(window, id, index, onState); });
}

Failure doubleClickItem(const AutomationLine& line, const Output&)
{
    return withIndex(line, [](HWND window, int id, int index) { return ListViewAutomation::doubleClickItem(window, id, index); });
}

Failure expectItemTip(const AutomationLine& line, const Output&)
{
    const auto column = wholeNumber(line.arguments[3]);
    if (!column)
        return L"the column \"" + line.arguments[3] + L"\" is not a whole number from 0";
    Failure mismatch;
    const Failure failure = withIndex(line, [&](HWND window, int id, int index) {
        std::wstring tip;
        const ActionResult rested = ListViewAutomation::restOnItem(window, id, index, *column, tip);
        if (rested && tip != line.arguments[4])
            mismatch = L"the tip of item " + line.arguments[2] + L", column " + line.arguments[3] + L" of control " +
                       line.arguments[1] + L" shows \"" + tip + L"\", expected \"" + line.arguments[4] + L"\"";
        return rested;
    });
    return failure ? failure : mismatch;
}

Failure expectItemCount(const AutomationLine& line, const Output&)
{
    const auto count = wholeNumber(line.arguments[2]);
    if (!count)
        return L"the count \"" + line.arguments[2] + L"\" is not a whole number from 0";
    return expect(line, [&](const ListViewInfo& list) {
        if (list.items.size() == static_cast<std::size_t>(*count))
            return ActionResult{};
        return refused(L"control " + line.arguments[1] + L" has " + std::to_wstring(list.items.size()) + L" items, expected " +
                       line.arguments[2]);
    });
}

// Compares what the line's item shows (its text or its state image) with the line's fourth argument.
Failure expectOfItem(const AutomationLine& line, const std::function<std::wstring(const ListItemInfo&)>& shown,
                     std::wstring (*described)(const std::wstring&))
{
    return expect(line, [&](const ListViewInfo& list) {
        const ListItemInfo* item = nullptr;
        if (ActionResult found = itemOf(line, list, item); !found)
            return found;
        const std::wstring actual = shown(*item);
        if (actual == line.arguments[3])
            return ActionResult{};
        return refused(L"item " + line.arguments[2] + L" of control " + line.arguments[1] + L" shows " + described(actual) +
                       L", expected " + described(line.arguments[3]));
    });
}

Failure expectItem(const AutomationLine& line, const Output&)
{
    // A script names the columns it checks: the ones a list gained later are not compared.
    const std::wstring& expected = line.arguments[3];
    std::size_t columns = 1;
    for (std::size_t at = expected.find(L" | "); at != std::wstring::npos; at = expected.find(L" | ", at + 3))
        ++columns;
    return expectOfItem(
        line, [columns](const ListItemInfo& item) { return ListItemText(item, columns); },
        [](const std::wstring& text) { return L"\"" + LineBreaksNamed(text) + L"\""; });
}

Failure expectItemState(const AutomationLine& line, const Output&)
{
    return expectOfItem(
        line, [](const ListItemInfo& item) { return std::to_wstring(item.stateImage); },
        [](const std::wstring& state) { return L"state " + state; });
}

const AutomationCommand commandTable[] = {
    {L"SelectItems", 3, 3, L"SelectItems \"title\", id, \"i,j,...\"", selectItems},
    {L"ClickItem", 3, 4, L"ClickItem \"title\", id, index[, \"state\"]", clickItem},
    {L"DoubleClickItem", 3, 3, L"DoubleClickItem \"title\", id, index", doubleClickItem},
    {L"ExpectItem", 4, 4, L"ExpectItem \"title\", id, index, \"text\"", expectItem},
    {L"ExpectItemState", 4, 4, L"ExpectItemState \"title\", id, index, n", expectItemState},
    {L"ExpectItemCount", 3, 3, L"ExpectItemCount \"title\", id, n", expectItemCount},
    {L"ExpectItemTip", 5, 5, L"ExpectItemTip \"title\", id, index, column, \"text\"", expectItemTip},
};

} // namespace

std::span<const AutomationCommand> ListCommands::commands() { return commandTable; }
