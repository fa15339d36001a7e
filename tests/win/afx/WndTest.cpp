// Window objects: handle maps, subclassing, child windows of the framework's class,
// module states and the framework's message box.
#include "FieldsDialog.h"

#include "win/afx/AfxMessageBox.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Answers the private message, and notes the module state it ran in and the windows created.
class CProbe : public CWnd {
public:
    AFX_MODULE_STATE* m_pStateSeen = nullptr;
    int m_nCreated = 0;

protected:
    LRESULT OnPrivateMessage(WPARAM wParam, LPARAM)
    {
        m_pStateSeen = AfxGetModuleState();
        return static_cast<LRESULT>(wParam) + 10;
    }
    LRESULT OnCreateMessage(WPARAM, LPARAM)
    {
        ++m_nCreated;
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbe, CWnd)
    ON_MESSAGE(WM_TEST_PRIVATE, &CProbe::OnPrivateMessage)
    ON_MESSAGE(WM_CREATE, &CProbe::OnCreateMessage)
END_MESSAGE_MAP()

HWND CreatePlainViewer()
{
    return ::CreateDialogParamW(TestResourceHandle(), MAKEINTRESOURCEW(IDD_VIEWER), nullptr, &AfxDlgProc, 0);
}

std::vector<std::wstring> IconsOf(HWND hWndBox)
{
    std::vector<std::wstring> icons;
    for (HWND child : Automation::children(hWndBox)) {
        std::wstring icon = Automation::describe(child).iconName;
        if (!icon.empty())
            icons.push_back(icon);
    }
    return icons;
}

} // namespace

TEST_F(AfxTest, SubclassedAndUnclaimedWindowsReachTheirObjects)
{
    HWND hWnd = CreatePlainViewer();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_PRIVATE, 1, 0), 0);

    CProbe probe;
    ASSERT_TRUE(probe.SubclassWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), &probe);
    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_PRIVATE, 1, 0), 11);
    // Messages the probe has no entry for still reach the dialog's own procedure.
    ::SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Probed"));
    EXPECT_EQ(TextOf(hWnd), L"Probed");
    // One window, one object.
    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(hWnd));

    // A window of no object gets a temporary wrapper, the same one each time.
    HWND other = CreatePlainViewer();
    CWnd* pWnd = CWnd::FromHandle(other);
    ASSERT_NE(pWnd, nullptr);
    EXPECT_EQ(pWnd->m_hWnd, other);
    EXPECT_EQ(CWnd::FromHandle(other), pWnd);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(pWnd->GetDlgItem(IDC_NAME)->GetParent(), pWnd);
    EXPECT_EQ(pWnd->GetDlgItem(4711), nullptr);
    // Destroying through a wrapper leaves it without a window.
    EXPECT_TRUE(pWnd->DestroyWindow());
    EXPECT_FALSE(::IsWindow(other));
    EXPECT_EQ(pWnd->m_hWnd, nullptr);
    ::DestroyWindow(hWnd);
}

TEST_F(AfxTest, ChildWindowOfTheFrameworkClassIsRoutedInItsModuleStateFromItsFirstMessage)
{
    CDialog viewer;
    ASSERT_TRUE(viewer.Create(IDD_VIEWER));
    CProbe hidden;
    ASSERT_TRUE(hidden.Create(nullptr, L"Hidden", 0, RECT{0, 0, 1, 1}, &viewer, 1));
    EXPECT_EQ(hidden.m_nCreated, 1);
    EXPECT_EQ(hidden.GetParent(), &viewer);
    EXPECT_FALSE(hidden.IsWindowVisible());
    // A second create on the same object is refused.
    EXPECT_FALSE(hidden.Create(nullptr, L"Again", 0, RECT{0, 0, 1, 1}, &viewer, 2));

    // Sent and posted messages run in the state the object belongs to, whatever is in force.
    AFX_MODULE_STATE other(nullptr, L"Other");
    {
        AFX_MANAGE_STATE(&other);
        EXPECT_EQ(AfxGetResourceHandle(), nullptr);
        EXPECT_EQ(hidden.SendMessage(WM_TEST_PRIVATE, 5), 15);
        EXPECT_EQ(hidden.m_pStateSeen, &m_moduleState);
        EXPECT_EQ(AfxGetModuleState(), &other);
        hidden.m_pStateSeen = nullptr;
        hidden.PostMessage(WM_TEST_PRIVATE, 6);
        Automation::deliverPending();
        EXPECT_EQ(hidden.m_pStateSeen, &m_moduleState);
    }
    EXPECT_EQ(AfxGetModuleState(), &m_moduleState);
    EXPECT_EQ(AfxGetInstanceHandle(), TestResourceHandle());

    viewer.DestroyWindow();
    EXPECT_EQ(hidden.m_hWnd, nullptr);
}

TEST_F(AfxTest, MessageBoxTakesItsCaptionAndStringsFromTheModule)
{
    m_input
        .then([] {
            HWND hWndBox = WindowTitled(kAppName);
            EXPECT_THAT(Automation::snapshot(hWndBox), HasSubstr(L"Shall we go on?"));
            EXPECT_THAT(IconsOf(hWndBox), ElementsAre(L"question"));
            EXPECT_TRUE(Done(Automation::click(hWndBox, IDYES)));
        })
        .then([] {
            HWND hWndBox = WindowTitled(kAppName);
            EXPECT_THAT(Automation::snapshot(hWndBox), HasSubstr(L"Message 501 is missing."));
            EXPECT_THAT(IconsOf(hWndBox), ElementsAre(L"warning"));
            EXPECT_TRUE(Done(Automation::pressKey(hWndBox, VK_RETURN)));
        })
        .then([] {
            HWND hWndBox = WindowTitled(kAppName);
            EXPECT_THAT(IconsOf(hWndBox), ElementsAre(L"information"));
            EXPECT_TRUE(Done(Automation::click(hWndBox, IDCANCEL)));
        });

    EXPECT_EQ(AfxMessageBox(IDS_QUESTION, MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(IDS_MISSING), IDOK);
    EXPECT_EQ(AfxMessageBox(L"Told you.", MB_OKCANCEL | MB_ICONINFORMATION), IDCANCEL);
}
