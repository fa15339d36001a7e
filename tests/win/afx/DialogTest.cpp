// Dialogs run as a user runs them: data exchange in both directions, rejected fields, the owner
// chain during a modal run, and modeless dialogs attached by the create-window hook.
#include "FieldsDialog.h"

#include "kernel/Text.h"
#include "win/afx/DDX.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(AfxTest, DataExchangeRoundTripsEveryKindOfField)
{
    CFieldsDialog dialog;
    dialog.m_strName = L"Ann";
    dialog.m_nCount = 7;
    dialog.m_nSize = 1;
    dialog.m_nSizeIndex = 2;
    m_input
        .then([] {
            EXPECT_EQ(TextOf(FieldsItem(IDC_NAME)), L"Ann");
            EXPECT_EQ(TextOf(FieldsItem(IDC_COUNT)), L"7");
            EXPECT_EQ(Automation::describe(FieldsItem(IDC_SMALL)).checkState, BST_UNCHECKED);
            EXPECT_EQ(Automation::describe(FieldsItem(IDC_MEDIUM)).checkState, BST_CHECKED);
            EXPECT_EQ(Automation::describe(FieldsItem(IDC_LARGE)).checkState, BST_UNCHECKED);
            EXPECT_THAT(Automation::describe(FieldsItem(IDC_FRUIT)).items, ElementsAre(L"Apple", L"Banana", L"Cherry"));
            EXPECT_EQ(Automation::describe(FieldsItem(IDC_SIZE)).currentSelection, 2);
            // DDV_MaxChars limited the edit while loading.
            EXPECT_EQ(::SendMessageW(FieldsItem(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 5);
            EXPECT_FALSE(Automation::setText(Fields(), IDC_NAME, L"Bartholomew").ok);
        })
        .then([] {
            EXPECT_EQ(TextOf(FieldsItem(IDC_NAME)), L"Barth");
            EXPECT_TRUE(Done(Automation::setText(Fields(), IDC_COUNT, L" 42 ")));
        })
        .then([] { EXPECT_TRUE(Done(Automation::click(Fields(), IDC_LARGE))); })
        .then([] { EXPECT_TRUE(Done(Automation::chooseEntry(Fields(), IDC_SIZE, L"S"))); })
        .then([] { EXPECT_TRUE(Done(Automation::click(Fields(), IDOK))); });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, L"Barth");
    EXPECT_EQ(dialog.m_nCount, 42);
    EXPECT_EQ(dialog.m_nSize, 2);
    EXPECT_EQ(dialog.m_nSizeIndex, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(AfxTest, RejectedFieldShowsMessageAndKeepsDialogOpenWithFocusOnIt)
{
    CFieldsDialog dialog;
    dialog.m_nCount = 5;
    m_input
        .then([] {
            // A program may set more than the limit lets a user type; OK must still refuse it.
            ::SetWindowTextW(FieldsItem(IDC_NAME), L"Maximilian");
            EXPECT_TRUE(Done(Automation::setText(Fields(), IDC_COUNT, L"abc")));
        })
        .then([] { EXPECT_TRUE(Done(Automation::click(Fields(), IDOK))); })
        .then([] {
            // Only the first bad field is reported.
            std::wstring shown = AcknowledgeMessageBox();
            EXPECT_THAT(shown, HasSubstr(L"Enter no more than 5 characters."));
            EXPECT_THAT(shown, ::testing::Not(HasSubstr(L"integer")));
        })
        .then([] {
            EXPECT_TRUE(Automation::describe(FieldsItem(IDC_NAME)).focused);
            EXPECT_TRUE(Done(Automation::setText(Fields(), IDC_NAME, L"Max")));
        })
        .then([] { EXPECT_TRUE(Done(Automation::pressKey(Fields(), VK_RETURN))); })
        .then([] { EXPECT_THAT(AcknowledgeMessageBox(), HasSubstr(L"Please enter an integer.")); })
        .then([] {
            WindowInfo count = Automation::describe(FieldsItem(IDC_COUNT));
            EXPECT_TRUE(count.focused);
            EXPECT_EQ(count.selectionStart, 0u);
            EXPECT_EQ(count.selectionEnd, 3u);
            EXPECT_TRUE(Done(Automation::setText(Fields(), IDC_COUNT, L"99")));
        })
        .then([] { EXPECT_TRUE(Done(Automation::click(Fields(), IDOK))); });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, L"Max");
    EXPECT_EQ(dialog.m_nCount, 99);
    EXPECT_EQ(std::count(dialog.m_events.begin(), dialog.m_events.end(), "ok"), 3);
}

struct IntegerCase {
    const wchar_t* typed;
    const wchar_t* message;   // null: accepted
    int value;
};

TEST_F(AfxTest, IntegerFieldsAcceptWholeNumbersInRangeAndRadioGroupsEndAtTheNextGroup)
{
    const IntegerCase cases[] = {
        {L"  8  ", nullptr, 8},
        {L"+5", nullptr, 5},
        {L"99", nullptr, 99},
        {L"1", nullptr, 1},
        {L"0", L"Enter an integer between 1 and 99.", 0},
        {L"100", L"Enter an integer between 1 and 99.", 0},
        {L"", L"Please enter an integer.", 0},
        {L"12abc", L"Please enter an integer.", 0},
        {L"4 2", L"Please enter an integer.", 0},
        {L"99999999999", L"Please enter an integer.", 0},
    };
    CFieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.typed));
        dialog.m_nCount = 50;
        ::SetWindowTextW(::GetDlgItem(dialog.m_hWnd, IDC_COUNT), c.typed);
        std::wstring shown;
        if (c.message)
            m_input.then([&shown] { shown = AcknowledgeMessageBox(); });
        EXPECT_EQ(dialog.UpdateData(TRUE), c.message == nullptr);
        if (c.message) {
            EXPECT_THAT(shown, HasSubstr(c.message));
            // Only a value read before the check may have changed: the range is checked after.
            EXPECT_TRUE(dialog.m_nCount == 50 || dialog.m_nCount == std::wcstol(c.typed, nullptr, 10));
        } else {
            EXPECT_EQ(dialog.m_nCount, c.value);
        }
    }

    // No button of the group checked exchanges -1; the check box after it is not its fourth button.
    dialog.m_nSize = -1;
    dialog.UpdateData(FALSE);
    for (int id : {IDC_SMALL, IDC_MEDIUM, IDC_LARGE})
        EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog.m_hWnd, id), BM_GETCHECK, 0, 0), BST_UNCHECKED) << id;
    ::SendMessageW(::GetDlgItem(dialog.m_hWnd, IDC_URGENT), BM_SETCHECK, BST_CHECKED, 0);
    dialog.m_nSize = 7;
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nSize, -1);
    dialog.DestroyWindow();
}

TEST_F(AfxTest, ModalRunDisablesTheTopLevelWindowAboveItsOwnerAndEnablesItAfter)
{
    CDialog host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    CDialog viewer;
    ASSERT_TRUE(viewer.Create(IDD_VIEWER, &host));

    // Owned by the viewer: the host at the end of the chain is disabled too.
    CFieldsDialog lockDialog(&viewer);
    m_input.then([&] {
        EXPECT_EQ(Automation::describe(Fields()).owner, viewer.m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(host.m_hWnd));
        EXPECT_FALSE(::IsWindowEnabled(viewer.m_hWnd));
        EXPECT_TRUE(Done(Automation::click(Fields(), IDCANCEL)));
    });
    EXPECT_EQ(lockDialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(::IsWindowEnabled(host.m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(viewer.m_hWnd));

    // A child as parent: its top-level window owns the dialog. Run as a derived class runs it.
    CFieldsDialog fromControl(CWnd::FromHandle(::GetDlgItem(viewer.m_hWnd, IDC_NAME)));
    m_input.then([&] {
        EXPECT_EQ(Automation::describe(Fields()).owner, viewer.m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(host.m_hWnd));
        EXPECT_TRUE(Done(Automation::click(Fields(), IDOK)));
    });
    EXPECT_EQ(fromControl.RunThroughPreModal(), IDOK);
    EXPECT_THAT(fromControl.m_events, ::testing::Contains("init"));
    EXPECT_TRUE(::IsWindowEnabled(host.m_hWnd));

    // No parent: the main window of the module state owns it.
    m_moduleState.m_pMainWnd = &viewer;
    CFieldsDialog parentless;
    m_input.then([&] {
        EXPECT_EQ(Automation::describe(Fields()).owner, viewer.m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(host.m_hWnd));
        EXPECT_TRUE(Done(Automation::click(Fields(), IDCANCEL)));
    });
    EXPECT_EQ(parentless.DoModal(), IDCANCEL);
    EXPECT_TRUE(::IsWindowEnabled(host.m_hWnd));
    m_moduleState.m_pMainWnd = nullptr;

    // A top-level window disabled before the run stays disabled after it.
    host.EnableWindow(FALSE);
    CFieldsDialog whileDisabled(&viewer);
    m_input.then([] { EXPECT_TRUE(Done(Automation::click(Fields(), IDCANCEL))); });
    EXPECT_EQ(whileDisabled.DoModal(), IDCANCEL);
    EXPECT_FALSE(::IsWindowEnabled(host.m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(viewer.m_hWnd));
}

namespace {

// A modeless window in the usual style: closing destroys it, and the object deletes itself.
class CSelfDeletingDialog : public CDialog {
public:
    explicit CSelfDeletingDialog(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CSelfDeletingDialog() override { *m_pDeleted = true; }

protected:
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pDeleted;
};

} // namespace

TEST_F(AfxTest, ModelessDialogTranslatesKeysForItselfAndItsControlsOnly)
{
    CDialog host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    CFieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS, &host));
    dialog.m_events.clear();

    // Enter in one of its edits presses the default button, as a get-message hook would pass it.
    MSG enter{::GetDlgItem(dialog.m_hWnd, IDC_COUNT), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&enter));
    Automation::deliverPending();
    EXPECT_THAT(dialog.m_events, ElementsAre("ok"));

    MSG elsewhere{host.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(dialog.PreTranslateMessage(&elsewhere));
    MSG notAKey{::GetDlgItem(dialog.m_hWnd, IDC_COUNT), WM_LBUTTONDOWN, 0, 0, 0, {}};
    EXPECT_FALSE(dialog.PreTranslateMessage(&notAKey));
    EXPECT_THAT(dialog.m_events, ElementsAre("ok"));
    dialog.DestroyWindow();
}
