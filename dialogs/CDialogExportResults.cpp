// Writing the shown group's rows to the named file.
#include "CDialogExportResults.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/ResultsExport.h"

#include "kernel/WinFormat.h"

// The main window's topic tells of this dialog.
CDialogExportResults::CDialogExportResults(CWnd* pParent, const std::wstring& strGroup)
    : CDialogBase(IDD_EXPORT_RESULTS, pParent), m_strGroup(strGroup)
{
    m_dwHelpContext = IDH_MAIN_VIEWER;
}

void CDialogExportResults::OnOK()
{
    const std::wstring strFile = TypedFileName(IDC_EXPORT_FILE, IDC_EXPORT_RESULT, IDS_NO_EXPORT_FILE);
    if (strFile.empty())
        return;
    std::vector<ExportedRow> rows;
    if (FAILED(ResultsExport::ReadRows(m_strGroup, rows)))
        return;
    SetDlgItemText(IDC_EXPORT_RESULT, ResultsExport::WriteFile(strFile, m_strGroup, rows)
                                          ? FormatWin(ModuleString(IDS_EXPORTED).c_str(), static_cast<int>(rows.size()),
                                                      m_strGroup.c_str(), strFile.c_str())
                                          : FormatWin(ModuleString(IDS_EXPORT_FAILED).c_str(), strFile.c_str()));
}
