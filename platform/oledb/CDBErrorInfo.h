// The consumer's view of the thread's error records: takes the error object left by the last
// failed call and reads its records one by one.
#pragma once

#include "ErrorObject.h"

#include <memory>
#include <string>

class CDBErrorInfo {
public:
    // Takes the thread's error object; E_FAIL when there is none (m_spErrorInfo stays empty).
    HRESULT GetErrorRecords(ULONG* count);
    HRESULT GetAllErrorInfo(ULONG index, LCID locale, std::wstring* description, std::wstring* source = nullptr,
                            GUID* iid = nullptr, DWORD* helpContext = nullptr, std::wstring* helpFile = nullptr) const;

    std::shared_ptr<ErrorObject> m_spErrorInfo;
};
