// Moving over and changing the rows of an open rowset.
#include "CRowset.h"

#include "ErrorObject.h"
#include "Rowset.h"

namespace {

HRESULT notOpen()
{
    return ReportError(E_UNEXPECTED, IID_IRowset, L"The rowset is not open.");
}

// The change properties a writable table asks for, honoured or refused as a whole.
HRESULT readRowsetProperties(const CDBPropSet* propertySet, bool* changeable)
{
    *changeable = false;
    if (!propertySet)
        return S_OK;
    if (propertySet->guidPropertySet != DBPROPSET_ROWSET)
        return ReportError(DB_E_ERRORSOCCURRED, IID_ICommand, L"Only rowset properties can be set on a command.");
    for (const DBPROP& property : propertySet->rgProperties) {
        if (property.dwPropertyID == DBPROP_IRowsetChange && std::holds_alternative<bool>(property.vValue))
            *changeable = std::get<bool>(property.vValue);
        else if (property.dwPropertyID == DBPROP_UPDATABILITY && std::holds_alternative<LONG>(property.vValue) &&
                 (std::get<LONG>(property.vValue) & ~(DBPROPVAL_UP_CHANGE | DBPROPVAL_UP_DELETE |
                                                      DBPROPVAL_UP_INSERT)) == 0)
            continue;
        else if (property.dwOptions == DBPROPOPTIONS_REQUIRED)
            return ReportError(DB_E_ERRORSOCCURRED, IID_ICommand,
                               L"The rowset property " + std::to_wstring(property.dwPropertyID) +
                                   L" is not supported with this value.");
    }
    return S_OK;
}

} // namespace

HRESULT CRowset::OpenRowset(const CSession& session, LPCWSTR command, const CDBPropSet* propertySet,
                            std::span<const DBBINDING> bindings, void* buffer)
{
    SetErrorInfo(0, nullptr);
    Close();
    if (!session.m_spOpenRowset)
        return ReportError(E_UNEXPECTED, IID_ICommand, L"The session is not open.");
    if (!command || !*command)
        return ReportError(DB_E_NOCOMMAND, IID_ICommand, L"No command text was given.");
    bool changeable = false;
    HRESULT status = readRowsetProperties(propertySet, &changeable);
    if (FAILED(status))
        return status;
    std::shared_ptr<provider::Rowset> rowset;
    status = provider::Rowset::Execute(session.m_spOpenRowset, command, changeable, bindings, buffer, &rowset);
    if (FAILED(status))
        return status;
    m_spRowset = std::move(rowset);
    return S_OK;
}

HRESULT CRowset::MoveFirst()
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->MoveFirst() : notOpen();
}

HRESULT CRowset::MoveNext() { return MoveNext(0); }

HRESULT CRowset::MoveNext(LONG skip)
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->MoveNext(skip) : notOpen();
}

HRESULT CRowset::MoveLast()
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->MoveLast() : notOpen();
}

HRESULT CRowset::Insert()
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->Insert() : notOpen();
}

HRESULT CRowset::SetData()
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->SetData() : notOpen();
}

HRESULT CRowset::Delete()
{
    SetErrorInfo(0, nullptr);
    return m_spRowset ? m_spRowset->Delete() : notOpen();
}

void CRowset::Close() { m_spRowset.reset(); }

bool CRowset::HasCurrentRow() const { return m_spRowset && m_spRowset->HasCurrentRow(); }

bool CRowset::HoldsEveryRow() const { return m_spRowset && m_spRowset->HoldsEveryRow(); }
