// The properties dialog's data exchange; the method list fills it and reads it back.
#include "CDialogMethodInfo.h"

#include "resources/ResourceIds.h"
#include "win/afx/DDX.h"

CDialogMethodInfo::CDialogMethodInfo(CWnd* pParent) : CDialogBase(IDD_METHOD_INFO, pParent) {}

void CDialogMethodInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INFO_COMMENT, m_strComment);
    DDX_Text(pDX, IDC_INFO_DATA_FILE, m_strDataFile);
    DDX_Text(pDX, IDC_INFO_OPERATOR, m_strOperator);
    DDX_Text(pDX, IDC_INFO_SUBFOLDER, m_strSubdirectory);
    DDX_Text(pDX, IDC_INFO_END_TIME, m_strEndTime);
    DDX_Text(pDX, IDC_INFO_START_TIME, m_strStartTime);
    DDX_Text(pDX, IDC_INFO_RUN_MESSAGE, m_strRunMessage);
}
