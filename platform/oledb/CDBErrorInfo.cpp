// Reading the error records of the last failed call.
#include "CDBErrorInfo.h"

HRESULT CDBErrorInfo::GetErrorRecords(ULONG* count)
{
    if (GetErrorInfo(0, &m_spErrorInfo) != S_OK)
        return E_FAIL;
    return m_spErrorInfo->GetRecordCount(count);
}

HRESULT CDBErrorInfo::GetAllErrorInfo(ULONG index, LCID locale, std::wstring* description, std::wstring* source,
                                      GUID* iid, DWORD* helpContext, std::wstring* helpFile) const
{
    if (!m_spErrorInfo)
        return E_UNEXPECTED;
    ERRORINFO info{};
    HRESULT status = m_spErrorInfo->GetBasicErrorInfo(index, &info);
    if (FAILED(status))
        return status;
    status = m_spErrorInfo->GetErrorInfo(index, locale, description, source);
    if (FAILED(status))
        return status;
    if (iid)
        *iid = info.iid;
    // The provider keeps no help for its errors.
    if (helpContext)
        *helpContext = 0;
    if (helpFile)
        helpFile->clear();
    return S_OK;
}
