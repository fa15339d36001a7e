// The main viewer as FIARUNNER opens it and as a user closes it.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"

#include "kernel/Text.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

using MainViewer = ModuleTest;

TEST_F(MainViewer, OpensShownWithItsControlsLogsTheOpeningAndGreysTheHostsEntry)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND viewer = Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(::MainViewer()->GetSafeHwnd(), viewer);
    EXPECT_EQ(GetParent(viewer), m_hostWindow.handle());
    EXPECT_EQ(QueuedLines(), std::vector<std::wstring>{MenuStateLine(L"Insensitive/Checked")});
    EXPECT_EQ(LogbookTexts(), std::vector<std::wstring>{L"Open Serion Window."});

    for (int id : {IDC_GROUP, IDC_SHUTDOWN, IDC_RUN, IDC_PAUSE, IDC_STOP}) {
        const WindowInfo control = Automation::describe(GetDlgItem(viewer, id));
        EXPECT_TRUE(control.visible) << "control " << id;
        // Pause and Stop wait for a run.
        EXPECT_EQ(control.enabled, id != IDC_PAUSE && id != IDC_STOP) << "control " << id;
    }
    EXPECT_TRUE(Automation::describe(GetDlgItem(viewer, IDC_RUN)).isDefault);
    const WindowInfo close = Automation::describe(GetDlgItem(viewer, IDOK));
    EXPECT_FALSE(close.visible || close.enabled) << "the Close button is hidden and disabled";
    const auto children = Automation::children(viewer);
    const auto hotlink = std::find_if(children.begin(), children.end(),
                                      [](HWND child) { return Automation::describe(child).text == L"SerionHotlink"; });
    ASSERT_NE(hotlink, children.end());
    EXPECT_EQ(GetDlgCtrlID(*hotlink), 1);
    EXPECT_FALSE(IsWindowVisible(*hotlink)) << "the hotlink window is never shown";

    RECT host{};
    RECT shown{};
    GetWindowRect(m_hostWindow.handle(), &host);
    GetWindowRect(viewer, &shown);
    // Vertically the screen's top may hold it back: it is taller than the host window.
    EXPECT_LE(std::abs((shown.left + shown.right) - (host.left + host.right)), 1) << "centred on the host window";
    EXPECT_GE(shown.top, 0);

    HMENU system = GetSystemMenu(viewer, FALSE);
    EXPECT_EQ(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    Automation::deliverPending();
    HMENU modules = GetSubMenu(GetMenu(m_hostWindow.handle()), 0);
    EXPECT_EQ(GetMenuState(modules, HostWindow::ID_MODULE_WINDOW, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED),
              MF_GRAYED | MF_CHECKED);
}

TEST_F(MainViewer, EveryWayOfClosingLogsItOnceHidesTheWindowAndGivesTheHostItsEntryBack)
{
    const struct {
        const char* way;
        std::function<ActionResult(HWND)> close;
    } ways[] = {
        {"File > Close", [](HWND viewer) { return Automation::chooseMenuCommand(viewer, IDCANCEL); }},
        {"close box", [](HWND viewer) { return Automation::chooseMenuCommand(viewer, SC_CLOSE); }},
        {"Escape", [](HWND viewer) { return Automation::pressKey(viewer, VK_ESCAPE); }},
    };
    for (const auto& way : ways) {
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK) << way.way;
        HWND viewer = Viewer();
        ASSERT_NE(viewer, nullptr) << way.way;
        Automation::deliverPending();
        const std::size_t entries = m_logbook.lines().size();

        const ActionResult result = way.close(viewer);
        EXPECT_TRUE(result.ok) << way.way << ": " << WideToUtf8(result.message);
        Automation::deliverPending();

        EXPECT_EQ(Viewer(), nullptr) << way.way;
        EXPECT_TRUE(IsWindow(viewer)) << way.way << ": closing only hides the window";
        ASSERT_EQ(m_logbook.lines().size(), entries + 1) << way.way;
        EXPECT_EQ(LogbookTexts().back(), L"Serion Window Closed.") << way.way;
        HMENU modules = GetSubMenu(GetMenu(m_hostWindow.handle()), 0);
        EXPECT_EQ(GetMenuState(modules, HostWindow::ID_MODULE_WINDOW, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), 0u)
            << way.way;
    }

    // A hidden window takes no keys, and its routing is gone: a second Escape logs nothing.
    const std::size_t entries = m_logbook.lines().size();
    Automation::injectKey(VK_ESCAPE, true);
    Automation::injectKey(VK_ESCAPE, false);
    Automation::deliverPending();
    EXPECT_EQ(m_logbook.lines().size(), entries);
    EXPECT_TRUE(QueuedLines().empty());
}

} // namespace
