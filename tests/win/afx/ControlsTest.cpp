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

TEST_F(AfxTest, ControlClassesActOnTheWindowsTheyAreBoundTo)
{
    CFieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    CComboBox& fruit = dialog.m_comboFruit;
    ASSERT_EQ(fruit.m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDC_FRUIT));
    EXPECT_EQ(CWnd::FromHandle(fruit.m_hWnd), &fruit);

    EXPECT_EQ(fruit.GetCount(), 3);
    EXPECT_EQ(fruit.AddString(L"Date"), 3);
    EXPECT_EQ(fruit.AddString(L"Avocado"), 1);
    EXPECT_NE(fruit.SetItemData(1, 42), CB_ERR);
    EXPECT_EQ(fruit.GetItemData(1), 42u);
    std::wstring text;
    fruit.GetLBText(1, text);
    EXPECT_EQ(text, L"Avocado");
    EXPECT_EQ(fruit.FindStringExact(-1, L"banana"), 2);
    EXPECT_EQ(fruit.FindStringExact(-1, L"Ban"), CB_ERR);
    EXPECT_EQ(fruit.SetCurSel(4), 4);
    EXPECT_EQ(fruit.GetCurSel(), 4);
    EXPECT_EQ(fruit.DeleteString(0), 4);
    fruit.GetLBText(99, text);
    EXPECT_EQ(text, L"");

    CRecordingEdit& note = dialog.m_editNote;
    note.SetWindowText(L"abcd");
    note.SetReadOnly();
    Automation::typeText(dialog.m_hWnd, IDC_NOTE, L"!");
    Automation::deliverPending();
    EXPECT_EQ(TextOf(note.m_hWnd), L"abcd");
    // The bound edit saw its texts through its own message map.
    EXPECT_THAT(note.m_textsSet, ::testing::Contains(L"abcd"));
    dialog.DestroyWindow();
}

TEST_F(AfxTest, CenteredWindowSitsOverItsOwner)
{
    CDialog host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    CDialog viewer;
    ASSERT_TRUE(viewer.Create(IDD_VIEWER, &host));
    Automation::setScreenSize(1280, 1024);
    ::SetWindowPos(host.m_hWnd, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    viewer.CenterWindow();
    RECT outer{};
    RECT inner{};
    ::GetWindowRect(host.m_hWnd, &outer);
    ::GetWindowRect(viewer.m_hWnd, &inner);
    EXPECT_NEAR((inner.left + inner.right) / 2, (outer.left + outer.right) / 2, 1);
    EXPECT_NEAR((inner.top + inner.bottom) / 2, (outer.top + outer.bottom) / 2, 1);

    // An owner mostly off the screen: the window stays on it.
    ::SetWindowPos(host.m_hWnd, nullptr, 1200, 980, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    viewer.CenterWindow();
    ::GetWindowRect(viewer.m_hWnd, &inner);
    EXPECT_LE(inner.right, 1280);
    EXPECT_LE(inner.bottom, 1024);
}

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
