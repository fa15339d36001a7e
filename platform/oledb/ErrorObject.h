// The error object of the calling thread, as COM keeps it: the provider leaves one after every
// failed call, with one record per error, and the consumer takes it to show the descriptions.
#pragma once

#include "OleDb.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct ERRORINFO {
    HRESULT hrError;
    DWORD dwMinor;
    CLSID clsid;
    IID iid;
};

class ErrorObject {
public:
    // A record whose description is absent stands for one whose lookup fails.
    void AddRecord(const ERRORINFO& info, std::optional<std::wstring> description);

    HRESULT GetRecordCount(ULONG* count) const;
    // Fails with DB_E_BADRECORDNUM for an index past the last record, DB_E_BADLOOKUPID when the
    // record's description cannot be found.
    HRESULT GetErrorInfo(ULONG index, LCID locale, std::wstring* description, std::wstring* source) const;
    HRESULT GetBasicErrorInfo(ULONG index, ERRORINFO* info) const;

private:
    struct Record {
        ERRORINFO info;
        std::optional<std::wstring> description;
    };
    std::vector<Record> m_records;
};

// Replaces the thread's error object (null clears it).
HRESULT SetErrorInfo(DWORD reserved, std::shared_ptr<ErrorObject> error);
// Hands the thread's error object over and clears it; S_FALSE when there is none.
HRESULT GetErrorInfo(DWORD reserved, std::shared_ptr<ErrorObject>* error);

// The provider's one way of failing a call: an error object with one record describing the
// failure becomes the thread's, and the status is returned.
HRESULT ReportError(HRESULT status, const IID& iid, const std::wstring& description);
