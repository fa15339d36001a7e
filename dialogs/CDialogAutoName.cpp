// The autoname dialog's checks and its help.
#include "CDialogAutoName.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/DataFolderName.h"

#include "kernel/WinFormat.h"
#include "win/afx/DDX.h"

namespace {

constexpr DWORD kAutoNameHelpContext = 101902;
// A data file name is the prefix, ten digits and ".d": 25 characters at most.
constexpr int kMaxPrefix = 13;
constexpr int kMaxSubdirectory = 40;
constexpr int kMaxCounter = 999999;

// Every row of the group takes the prefix and the sub-folder.
std::wstring EveryRowRefusal(const std::wstring& strRefusal)
{
    return strRefusal.empty() ? strRefusal : FormatWin(ModuleString(IDS_EVERY_ROW_NAME_REFUSED).c_str(), strRefusal.c_str());
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogAutoName, CDialogBase)
    ON_COMMAND(IDHELP, &CDialogAutoName::OnHelp)
END_MESSAGE_MAP()

CDialogAutoName::CDialogAutoName(CWnd* pParent) : CDialogBase(IDD_AUTONAME, pParent) {}

void CDialogAutoName::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AUTONAME_COUNTER, m_nCounter);
    DDV_MinMaxInt(pDX, m_nCounter, 0, kMaxCounter);
    DDX_Text(pDX, IDC_AUTONAME_OPERATOR, m_strOperator);
    DDX_Text(pDX, IDC_AUTONAME_PREFIX, m_strPrefix);
    DDV_MaxChars(pDX, m_strPrefix, kMaxPrefix);
    DDV_Refusal(pDX, EveryRowRefusal(DataFolderName::RefusalOfDataFile(m_strPrefix)));
    DDX_Text(pDX, IDC_AUTONAME_SUBFOLDER, m_strSubdirectory);
    DDV_MaxChars(pDX, m_strSubdirectory, kMaxSubdirectory);
    DDV_Refusal(pDX, EveryRowRefusal(DataFolderName::RefusalOfSubFolder(m_strSubdirectory)));
}

void CDialogAutoName::OnHelp() { ShowHelp(kAutoNameHelpContext); }
