// Writing the shown group's rows to the named file.
#include "CDialogExportResults.h"
#include "ShowOleDbErrors.h"

#include "module/core/CsvLine.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/ResultsExport.h"

#include "kernel/WinFormat.h"

CDialogExportResults::CDialogExportResults(CWnd* pParent, const std::wstring& strGroup)
    : CDialogBase(IDD_EXPORT_RESULTS, pParent), m_strGroup(strGroup)
{
    m_dwHelpContext = IDH_EXPORT_RESULTS;
}

void CDialogExportResults::OnOK()
{
    const std::wstring strFile = TypedFileName(IDC_EXPORT_FILE, IDC_EXPORT_RESULT, IDS_NO_EXPORT_FILE);
    if (strFile.empty())
        return;
    std::vector<ExportedRow> rows;
    if (ShowOleDbErrors(ResultsExport::ReadRows(ModuleSettings, m_strGroup, rows)))
        return;
    const int nError = ResultsExport::WriteFile(strFile, m_strGroup, rows);
    SetDlgItemText(IDC_EXPORT_RESULT, nError == 0 ? FormatWin(ModuleString(IDS_EXPORTED).c_str(), static_cast<int>(rows.size()),
                                                              m_strGroup.c_str(), strFile.c_str())
                                                  : FormatWin(ModuleString(IDS_EXPORT_FAILED).c_str(), strFile.c_str(),
                                                              FileWriteFailure(strFile, nError).c_str()));
}
