// "Properties" of one method row: the fields a user may edit (sub-folder, data file, operator,
// comment) and what the row's last run left (start and end time, run message) for display.
#pragma once

#include "CDialogBase.h"

#include <string>

class CDialogMethodInfo : public CDialogBase {
public:
    explicit CDialogMethodInfo(CWnd* pParent = nullptr);

    std::wstring m_strComment;
    std::wstring m_strDataFile;
    std::wstring m_strOperator;
    std::wstring m_strSubdirectory;
    std::wstring m_strEndTime;
    std::wstring m_strStartTime;
    std::wstring m_strRunMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
