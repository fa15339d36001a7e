// The main viewer's tool bar and status bar as a user sees them: the buttons greyed with their
// menu items, the tips from the command prompts, and the host's system status in its colours.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "resources/ResourceIds.h"
#include "win/ControlBarAutomation.h"
#include "win/StatusBarControl.h"
#include "viewer/CDialogMainViewer.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"
#include "win/afx/CWnd.h"

namespace {

using ControlBars = ModuleTest;

HWND Bar(HWND viewer, UINT id) { return GetDlgItem(viewer, static_cast<int>(id)); }

// The status field as painted: its text, its text colour and its background.
struct StatusField {
    std::wstring text;
    COLORREF textColor = 0;
    COLORREF background = 0;
    bool operator==(const StatusField&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StatusField& field)
{
    return out << '"' << WideToUtf8(field.text) << "\" " << std::hex << field.textColor << " on " << field.background;
}

StatusField PaintedStatus(HWND viewer)
{
    StatusField field;
    const auto parts = StatusBarControl::paintedParts(Bar(viewer, AFX_IDW_STATUS_BAR));
    if (parts.size() < 2)
        return field;
    for (const PaintOperation& operation : parts[1]) {
        if (operation.kind == PaintOperation::Fill)
            field.background = operation.background;
        if (operation.kind == PaintOperation::Text) {
            field.text = operation.text;
            field.textColor = operation.foreground;
        }
    }
    return field;
}

// The tip shown once the mouse has rested on the button; empty when none shows.
std::wstring TipAfterResting(HWND viewer, int command)
{
    std::wstring tip;
    EXPECT_TRUE(Done(ControlBarAutomation::restOnButton(viewer, static_cast<UINT>(command), tip)));
    return tip;
}

TEST_F(ControlBars, ButtonsFollowTheirMenuItemsAndShowTheSecondLineOfTheirPromptAsTip)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND viewer = Viewer();
    ASSERT_NE(viewer, nullptr);
    HWND toolBar = Bar(viewer, AFX_IDW_TOOLBAR);
    ASSERT_NE(toolBar, nullptr);

    // Directly under the menu, across the window, above the controls; the status bar at the bottom.
    RECT client{};
    GetClientRect(viewer, &client);
    RECT bar{};
    GetWindowRect(toolBar, &bar);
    POINT topLeft{bar.left, bar.top};
    ScreenToClient(viewer, &topLeft);
    EXPECT_EQ(topLeft.y, 0);
    EXPECT_EQ(bar.right - bar.left, client.right);
    GetWindowRect(Bar(viewer, AFX_IDW_STATUS_BAR), &bar);
    POINT bottomRight{bar.right, bar.bottom};
    ScreenToClient(viewer, &bottomRight);
    EXPECT_EQ(bottomRight.y, client.bottom);

    // No group, no rows: only Add group and Help are available, on the bar as in the menu.
    const std::wstring snapshot = Automation::snapshot(viewer);
    EXPECT_NE(snapshot.find(L"ToolbarWindow32 59392 \"\" buttons={32773, 32774 greyed, |, 32775 greyed, |, 32770 greyed, "
                            L"32771 greyed, 32772 greyed, 32777 greyed, 32778 greyed, |, 32782 greyed, 32783 greyed, |, 9}"),
              std::wstring::npos)
        << WideToUtf8(snapshot);

    // Disabling a button with its menu item also releases it; enabling leaves it as it is.
    SendMessageW(toolBar, TB_PRESSBUTTON, ID_ADD_GROUP, TRUE);
    SendMessageW(toolBar, TB_PRESSBUTTON, ID_DELETE_GROUP, TRUE);
    MainViewer()->UpdateCommandState();
    EXPECT_TRUE(SendMessageW(toolBar, TB_ISBUTTONPRESSED, ID_ADD_GROUP, 0));
    EXPECT_FALSE(SendMessageW(toolBar, TB_ISBUTTONPRESSED, ID_DELETE_GROUP, 0));
    EXPECT_FALSE(SendMessageW(toolBar, TB_ISBUTTONENABLED, ID_DELETE_GROUP, 0));

    const struct {
        int command;
        const wchar_t* tip;
    } tips[] = {
        {ID_ADD_GROUP, L"New Group"},     {ID_DELETE_GROUP, L"Delete Group"},
        {ID_AUTONAME, L"Auto Name"},      {ID_ADD_METHOD, L"Add New Method"},
        {ID_DELETE_METHOD, L"Delete Selected Method"}, {ID_PROPERTIES, L"Edit Method Info"},
        {ID_CHECK_ALL, L"Check All"},     {ID_UNCHECK_ALL, L"Uncheck All"},
        {ID_MODULE_HELP, L""},
    };
    for (const auto& expected : tips)
        EXPECT_EQ(TipAfterResting(viewer, expected.command), expected.tip) << "button " << expected.command;
}

TEST_F(ControlBars, TheStatusFieldShowsTheHostsStatusInTheColoursOfItsLetterOrOfflineBesideTheMessagePane)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND viewer = Viewer();
    ASSERT_NE(viewer, nullptr);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The installed host's status when the window opens.
    EXPECT_EQ(PaintedStatus(viewer), (StatusField{L" Idle", 0x000000, 0x00FF00}));
    const auto parts = StatusBarControl::paintedParts(Bar(viewer, AFX_IDW_STATUS_BAR));
    ASSERT_EQ(parts.size(), 4u) << "the last one for the logged-on user";
    ASSERT_EQ(parts[0].size(), 1u);
    EXPECT_EQ(parts[0][0].kind, PaintOperation::Picture) << "the logo";
    EXPECT_EQ(parts[0][0].text, L"  Serion FIA ");

    const struct {
        const wchar_t* status;
        StatusField shown;
    } cases[] = {
        {L"FIA 1|Online|ST:B|Run NITRATE.M", {L" Run NITRATE.M", 0xFFFFFF, 0xFF0000}},
        {L"FIA 1|Online|ST:C|Standby", {L" Standby", 0x000000, 0xFFFF00}},
        {L"FIA 1|Online|ST:G|Idle", {L" Idle", 0x000000, 0x00FF00}},
        {L"FIA 1|Online|ST:M|Maintenance", {L" Maintenance", 0xFFFFFF, 0xFF00FF}},
        {L"FIA 1|Online|ST:R|Acquisition error", {L" Acquisition error", 0xFFFFFF, 0x0000FF}},
        {L"FIA 1|Online|ST:W|Lamps off", {L" Lamps off", 0x000000, 0xFFFFFF}},
        {L"FIA 1|Online|ST:Y|Not ready", {L" Not ready", 0x000000, 0x00FFFF}},
        // Empty fields do not count; a letter of no colour leaves the button face.
        {L"||FIA 1||Online|ST:x|Busy", {L" Busy", 0x000000, face}},
        // Three fields: the colours change, the text says the status is not known.
        {L"FIA 1|Online|ST:R", {L"Status unknown", 0xFFFFFF, 0x0000FF}},
        // Two fields: the text colour stays as the last status left it.
        {L"FIA 1|Online", {L"Status unknown", 0xFFFFFF, face}},
    };
    for (const auto& c : cases) {
        CpSetStrVar(m_context, "GUISYSTEMSTATUS$", c.status);
        Automation::deliverPending();
        EXPECT_EQ(PaintedStatus(viewer), c.shown) << WideToUtf8(c.status);
        // The field is 100 pixels wide, wider for a text that needs more at 8 pixels a character.
        RECT pane{};
        SendMessageW(Bar(viewer, AFX_IDW_STATUS_BAR), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane));
        EXPECT_GE(pane.right - pane.left, std::max<LONG>(100, static_cast<LONG>(c.shown.text.size()) * 8)) << WideToUtf8(c.status);
    }

    // Run messages are shown in the message pane, which takes the room the other panes leave, up
    // to the bar's right edge, and leave the status alone.
    {
        auto* statusBar = dynamic_cast<CSRStatusBar*>(CWnd::FromHandlePermanent(Bar(viewer, AFX_IDW_STATUS_BAR)));
        ASSERT_NE(statusBar, nullptr);
        const StatusField status = PaintedStatus(viewer);
        std::wstring shown;
        // As the module calls it: its strings are found in its own state.
        AFX_MANAGE_STATE(&m_moduleState);
        statusBar->SetMessageTextId(22010);
        EXPECT_TRUE(Done(ControlBarAutomation::paneText(viewer, 2, shown)));
        EXPECT_EQ(shown, L"Started Pre-Run Check for existing data files...");
        EXPECT_EQ(PaintedStatus(viewer), status);
        RECT pane{};
        RECT bar{};
        SendMessageW(Bar(viewer, AFX_IDW_STATUS_BAR), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&pane));
        GetClientRect(Bar(viewer, AFX_IDW_STATUS_BAR), &bar);
        EXPECT_GT(pane.right - pane.left, 300);
        EXPECT_LE(pane.right, bar.right);
        statusBar->SetMessageText(L"");
        EXPECT_TRUE(Done(ControlBarAutomation::paneText(viewer, 2, shown)));
        EXPECT_EQ(shown, L"");
    }

    // Offline, every status shows the offline text in white on dark grey.
    CpSetNumVar(m_context, "_OFFLINE", 1);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    viewer = Viewer();
    const StatusField offline{L"Instrument offline", 0xFFFFFF, 0x404040};
    EXPECT_EQ(PaintedStatus(viewer), offline);
    CpSetStrVar(m_context, "GUISYSTEMSTATUS$", L"FIA 1|Online|ST:B|Run NITRATE.M");
    Automation::deliverPending();
    EXPECT_EQ(PaintedStatus(viewer), offline);
}

} // namespace
