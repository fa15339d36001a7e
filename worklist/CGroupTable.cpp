// Opening group_tbl.
#include "CGroupTable.h"

#include "WorklistSession.h"

HRESULT CGroupTable::OpenDataSource() { return OpenWorklistSession(m_session, WorklistDataSourceProperties()); }

HRESULT CGroupTable::Open()
{
    const HRESULT status = OpenDataSource();
    if (FAILED(status))
        return status;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM group_tbl", &rowset);
}
