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
    // The row edited (from 1) and its method, which a refused data file or sub-folder names.
    int m_nRow = 0;
    std::wstring m_strMethodName;
    // The fields are shown but cannot be edited, and OK only closes: the run has started the row.
    BOOL m_bReadOnly = FALSE;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A data file or sub-folder that would put the row's data elsewhere than below the data path,
    // or in no folder at all, is refused; read-only, nothing is stored and nothing refused.
    std::wstring RowRefusal(const std::wstring& strRefusal) const;
};
