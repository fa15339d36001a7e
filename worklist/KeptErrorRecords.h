// Keeps the error records of a failed call while the code that cleans up after it makes calls of
// its own, so that the caller still shows why the call failed.
#pragma once

#include "oledb/ErrorObject.h"

class KeptErrorRecords {
public:
    KeptErrorRecords() { GetErrorInfo(0, &m_records); }
    ~KeptErrorRecords() { SetErrorInfo(0, std::move(m_records)); }
    KeptErrorRecords(const KeptErrorRecords&) = delete;
    KeptErrorRecords& operator=(const KeptErrorRecords&) = delete;

private:
    std::shared_ptr<ErrorObject> m_records;
};
