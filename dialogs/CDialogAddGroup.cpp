// The add-group dialog's data exchange.
#include "CDialogAddGroup.h"

#include "resources/ResourceIds.h"
#include "win/afx/DDX.h"

// The main window's topic tells of this dialog.
CDialogAddGroup::CDialogAddGroup(CWnd* pParent) : CDialogBase(IDD_ADD_GROUP, pParent) { m_dwHelpContext = IDH_MAIN_VIEWER; }

BOOL CDialogAddGroup::OnInitDialog()
{
    // The policies are listed before the exchange selects the chosen one.
    FillFailurePolicies(IDC_ON_FAILURE);
    return CDialogBase::OnInitDialog();
}

void CDialogAddGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GROUP_NAME, m_strGroupName);
    DDX_CBIndex(pDX, IDC_ON_FAILURE, m_nOnFailure);
}
