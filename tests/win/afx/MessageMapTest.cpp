// Message maps: commands, control notifications, WM_NOTIFY, private messages, colours, timers
// and system commands reach the handlers the map names, and derived maps come before base maps.
#include "FieldsDialog.h"

#include "win/CommCtrl.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

bool Recorded(const CFieldsDialog& dialog, const std::string& event)
{
    return std::find(dialog.m_events.begin(), dialog.m_events.end(), event) != dialog.m_events.end();
}

} // namespace

TEST_F(AfxTest, MessageMapDispatchesWhatReachesTheDialog)
{
    CFieldsDialog dialog;
    m_input
        .then([&] {
            dialog.m_events.clear();
            EXPECT_TRUE(Done(Automation::click(Fields(), IDC_APPLY)));
        })
        .then([&] {
            HWND hWnd = Fields();
            ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(ID_VIEW_FIRST + 2, 0), 0);
            Automation::deliverPending();
            EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_PRIVATE, 40, 2), 42);

            NMHDR fromNote{::GetDlgItem(hWnd, IDC_NOTE), IDC_NOTE, NM_TEST_ANY};
            EXPECT_EQ(::SendMessageW(hWnd, WM_NOTIFY, IDC_NOTE, reinterpret_cast<LPARAM>(&fromNote)), 77);
            // The handler declines notifications of other controls; they go unanswered.
            NMHDR fromName{::GetDlgItem(hWnd, IDC_NAME), IDC_NAME, NM_TEST_ANY};
            EXPECT_EQ(::SendMessageW(hWnd, WM_NOTIFY, IDC_NAME, reinterpret_cast<LPARAM>(&fromName)), 0);
            NMUPDOWN spin{{::GetDlgItem(hWnd, IDC_SPIN), IDC_SPIN, UDN_DELTAPOS}, 5, 1};
            ::SendMessageW(hWnd, WM_NOTIFY, IDC_SPIN, reinterpret_cast<LPARAM>(&spin));

            EXPECT_TRUE(Done(Automation::typeText(hWnd, IDC_NAME, L"x")));
        })
        .then([] { EXPECT_TRUE(Done(Automation::chooseEntry(Fields(), IDC_FRUIT, L"Apple"))); })
        .then([&] {
            ::SetTimer(Fields(), 7, 1000, nullptr);
            EXPECT_TRUE(Automation::runUntil([&] { return Recorded(dialog, "timer 7"); }, 5000));
        })
        .then([] {
            WindowInfo name = Automation::describe(::GetDlgItem(Fields(), IDC_NAME));
            EXPECT_TRUE(name.hasColors);
            EXPECT_EQ(name.textColor, RGB(255, 0, 0));
            EXPECT_NE(Automation::describe(::GetDlgItem(Fields(), IDC_COUNT)).textColor, RGB(255, 0, 0));
            EXPECT_TRUE(Done(Automation::chooseMenuCommand(Fields(), SC_CLOSE)));
        });

    // The system menu's Close goes on to the default handling, which cancels the dialog.
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.m_events,
                ElementsAre("apply", "view 122", "private 40", "any 109", "spin 1", "name changed", "fruit Apple",
                            "timer 7", "syscommand " + std::to_string(SC_CLOSE), "destroy", "note gone",
                            "dialog gone"));
}

namespace {

// A derived dialog takes over one button and keeps the rest of its base's map.
class CDerivedDialog : public CFieldsDialog {
protected:
    void OnApplyHere() { m_events.push_back("derived apply"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDialog, CFieldsDialog)
    ON_BN_CLICKED(IDC_APPLY, &CDerivedDialog::OnApplyHere)
END_MESSAGE_MAP()

} // namespace

TEST_F(AfxTest, DerivedMapComesBeforeItsBaseMaps)
{
    CDerivedDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    dialog.m_events.clear();
    HWND apply = ::GetDlgItem(dialog.m_hWnd, IDC_APPLY);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_LAST, 0), 0);
    EXPECT_THAT(dialog.m_events, ElementsAre("derived apply", "view 125"));

    // Routing answers whether anyone took a command; command 0 and unknown ids are nobody's.
    EXPECT_TRUE(dialog.OnCmdMsg(ID_VIEW_FIRST, CN_COMMAND, nullptr));
    EXPECT_FALSE(dialog.OnCmdMsg(999, CN_COMMAND, nullptr));
    EXPECT_FALSE(dialog.OnCmdMsg(IDC_APPLY, EN_CHANGE, nullptr));
    EXPECT_EQ(dialog.SendMessage(WM_COMMAND, 0, 0), 0);

    // OK comes from CDialog's own map, through the derived OnOK.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDOK)));
    EXPECT_EQ(dialog.m_events.back(), "ok");
    dialog.DestroyWindow();
}
