// "Autoname Data files": the sub-folder, prefix, start counter and operator from which the data
// file names of a whole group are made. The operator is shown but not edited.
#pragma once

#include "CDialogBase.h"

#include <string>

class CDialogAutoName : public CDialogBase {
public:
    explicit CDialogAutoName(CWnd* pParent = nullptr);

    int m_nCounter = 0;
    std::wstring m_strOperator;
    std::wstring m_strPrefix;
    std::wstring m_strSubdirectory;

protected:
    // Counter first, then operator, prefix and sub-folder: the first bad field stops the exchange.
    // A prefix or sub-folder that would put data elsewhere than below the data path is bad.
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};
