// The descriptions of every error record of the last failed call, one after the other.
#include "OleDbErrorText.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"
#include "oledb/CDBErrorInfo.h"
#include "oledb/Com.h"

std::wstring OleDbErrorText(HRESULT status)
{
    if (SUCCEEDED(status))
        return {};
    const LCID locale = GetSystemDefaultLCID();
    CDBErrorInfo errorInfo;
    ULONG records = 0;
    std::wstring message;
    HRESULT lookup = errorInfo.GetErrorRecords(&records);
    if (FAILED(lookup) && !errorInfo.m_spErrorInfo) {
        message = FormatWin(ModuleString(IDS_NO_ERROR_INFO).c_str(), static_cast<unsigned>(lookup));
    } else {
        for (ULONG i = 0; i < records; ++i) {
            std::wstring description;
            std::wstring source;
            std::wstring helpFile;
            GUID iid{};
            DWORD helpContext = 0;
            lookup = errorInfo.GetAllErrorInfo(i, locale, &description, &source, &iid, &helpContext, &helpFile);
            if (FAILED(lookup))
                message += L"\n" + FormatWin(ModuleString(IDS_ERROR_RECORD_FAILED).c_str(), static_cast<unsigned>(lookup));
            else
                message += description;
        }
    }
    return message;
}
