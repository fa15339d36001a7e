// The properties dialog's data exchange; the method list fills it and reads it back.
#include "CDialogMethodInfo.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/DataFolderName.h"

#include "kernel/WinFormat.h"
#include "win/afx/DDX.h"

// The main window's topic tells of this dialog.
CDialogMethodInfo::CDialogMethodInfo(CWnd* pParent) : CDialogBase(IDD_METHOD_INFO, pParent) { m_dwHelpContext = IDH_MAIN_VIEWER; }

BOOL CDialogMethodInfo::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    if (m_bReadOnly)
        for (int nID : {IDC_INFO_COMMENT, IDC_INFO_DATA_FILE, IDC_INFO_OPERATOR, IDC_INFO_SUBFOLDER})
            SetEditReadOnly(nID, TRUE);
    return TRUE;
}

void CDialogMethodInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INFO_COMMENT, m_strComment);
    DDX_Text(pDX, IDC_INFO_DATA_FILE, m_strDataFile);
    DDV_Refusal(pDX, RowRefusal(DataFolderName::RefusalOfDataFile(m_strDataFile)));
    DDX_Text(pDX, IDC_INFO_OPERATOR, m_strOperator);
    DDX_Text(pDX, IDC_INFO_SUBFOLDER, m_strSubdirectory);
    DDV_Refusal(pDX, RowRefusal(DataFolderName::RefusalOfSubFolder(m_strSubdirectory)));
    DDX_Text(pDX, IDC_INFO_END_TIME, m_strEndTime);
    DDX_Text(pDX, IDC_INFO_START_TIME, m_strStartTime);
    DDX_Text(pDX, IDC_INFO_RUN_MESSAGE, m_strRunMessage);
}

std::wstring CDialogMethodInfo::RowRefusal(const std::wstring& strRefusal) const
{
    if (strRefusal.empty() || m_bReadOnly)
        return {};
    return FormatWin(ModuleString(IDS_ROW_NAME_REFUSED).c_str(), m_nRow, m_strMethodName.c_str(), strRefusal.c_str());
}
