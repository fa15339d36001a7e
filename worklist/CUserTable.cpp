// Opening user_tbl and finding an account by name.
#include "CUserTable.h"

#include "WorklistSession.h"

#include "kernel/Text.h"

HRESULT CUserTable::Open()
{
    const HRESULT status = OpenWorklistSession(m_session, UserDataSourceProperties());
    if (FAILED(status))
        return status;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM user_tbl", &rowset);
}

BOOL CUserTable::FindByName(const std::wstring& name)
{
    for (MoveFirst(); HasCurrentRow(); MoveNext())
        if (lstrcmpW(UserName, name.c_str()) == 0)
            return TRUE;
    return FALSE;
}
