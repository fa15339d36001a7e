// The add-group dialog's data exchange.
#include "CDialogAddGroup.h"

#include "resources/ResourceIds.h"
#include "win/afx/DDX.h"

CDialogAddGroup::CDialogAddGroup(CWnd* pParent) : CDialogBase(IDD_ADD_GROUP, pParent) {}

void CDialogAddGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GROUP_NAME, m_strGroupName);
}
