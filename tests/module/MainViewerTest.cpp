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
