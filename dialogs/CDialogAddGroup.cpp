// The add-group dialog's data exchange.
#include "CDialogAddGroup.h"

#include "resources/ResourceIds.h"
#include "win/afx/DDX.h"

// The main window's topic tells of this dialog.
CDialogAddGroup::CDialogAddGroup(CWnd* pParent) : CDialogBase(IDD_ADD_GROUP, pParent) { m_dwHelpContext = IDH_MAIN_VIEWER; }

void CDialogAddGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GROUP_NAME, m_strGroupName);
}
