// The control classes and menus act on their windows as the Win32 messages they stand for.
#include "FieldsDialog.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// The viewer window: its menu's commands go to one handler.
class CViewerDialog : public CDialog {
public:
    std::vector<UINT> m_commands;

protected:
    void OnView(UINT nID) { m_commands.push_back(nID); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CViewerDialog, CDialog)
    ON_COMMAND_RANGE(ID_VIEW_FIRST, ID_VIEW_LAST, &CViewerDialog::OnView)
END_MESSAGE_MAP()

} // namespace

TEST_F(AfxTest, MenusOfAWindowAreReachedThroughCMenu)
{
    CViewerDialog viewer;
    ASSERT_TRUE(viewer.Create(IDD_VIEWER));
    CMenu* bar = viewer.GetMenu();
    ASSERT_NE(bar, nullptr);
    CMenu* view = bar->GetSubMenu(0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetMenuItemCount(), 3);

    EXPECT_TRUE(Done(Automation::chooseMenuCommand(viewer.m_hWnd, ID_VIEW_FIRST)));
    EXPECT_FALSE(Automation::chooseMenuCommand(viewer.m_hWnd, ID_VIEW_LAST).ok);
    Automation::deliverPending();
    EXPECT_EQ(view->EnableMenuItem(ID_VIEW_LAST, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(view->GetMenuState(ID_VIEW_LAST, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_TRUE(Done(Automation::chooseMenuCommand(viewer.m_hWnd, ID_VIEW_LAST)));
    Automation::deliverPending();
    EXPECT_THAT(viewer.m_commands, ElementsAre(ID_VIEW_FIRST, ID_VIEW_LAST));

    EXPECT_EQ(view->CheckMenuItem(ID_VIEW_FIRST, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_NE(view->GetMenuState(ID_VIEW_FIRST, MF_BYCOMMAND) & MF_CHECKED, 0u);

    // A loaded menu belongs to its object and goes with it.
    HMENU loaded = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_VIEWER_MENU));
        loaded = menu.GetSafeHmenu();
        EXPECT_EQ(CMenu::FromHandle(loaded), &menu);
    }
    EXPECT_FALSE(::IsMenu(loaded));
    viewer.DestroyWindow();
}
