// The per-thread error object and its records.
#include "ErrorObject.h"

namespace {

thread_local std::shared_ptr<ErrorObject> threadError;

const wchar_t* const providerSource = L"Microsoft JET Database Engine";

} // namespace

void ErrorObject::AddRecord(const ERRORINFO& info, std::optional<std::wstring> description)
{
    m_records.push_back({info, std::move(description)});
}

HRESULT ErrorObject::GetRecordCount(ULONG* count) const
{
    if (!count)
        return E_INVALIDARG;
    *count = static_cast<ULONG>(m_records.size());
    return S_OK;
}

HRESULT ErrorObject::GetErrorInfo(ULONG index, LCID, std::wstring* description, std::wstring* source) const
{
    if (index >= m_records.size())
        return DB_E_BADRECORDNUM;
    const Record& record = m_records[index];
    if (!record.description)
        return DB_E_BADLOOKUPID;
    if (description)
        *description = *record.description;
    if (source)
        *source = providerSource;
    return S_OK;
}

HRESULT ErrorObject::GetBasicErrorInfo(ULONG index, ERRORINFO* info) const
{
    if (index >= m_records.size())
        return DB_E_BADRECORDNUM;
    if (info)
        *info = m_records[index].info;
    return S_OK;
}

HRESULT SetErrorInfo(DWORD, std::shared_ptr<ErrorObject> error)
{
    threadError = std::move(error);
    return S_OK;
}

HRESULT GetErrorInfo(DWORD, std::shared_ptr<ErrorObject>* error)
{
    if (!error)
        return E_INVALIDARG;
    *error = std::move(threadError);
    threadError.reset();
    return *error ? S_OK : S_FALSE;
}

HRESULT ReportError(HRESULT status, const IID& iid, const std::wstring& description)
{
    auto error = std::make_shared<ErrorObject>();
    error->AddRecord({status, 0, CLSID_JETOLEDB_4_00, iid}, description);
    SetErrorInfo(0, std::move(error));
    return status;
}
