// Window objects and the framework's message box.
#include "FieldsDialog.h"

#include "win/afx/AfxMessageBox.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

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
