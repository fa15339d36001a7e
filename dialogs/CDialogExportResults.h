// "Export Results": writes the shown group's rows with their results to the file the user names,
// CSV or JSON by the name's extension, and says on its last line how many rows went where.
#pragma once

#include "CDialogBase.h"

#include <string>

class CDialogExportResults : public CDialogBase {
public:
    CDialogExportResults(CWnd* pParent, const std::wstring& strGroup);

protected:
    // Export: the dialog stays open, so that a failed name can be mended.
    void OnOK() override;

private:
    std::wstring m_strGroup;
};
