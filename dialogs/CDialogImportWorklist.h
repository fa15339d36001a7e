// "Import Worklist": reads the CSV worklist the user names and adds its rows after the last row of
// the shown group, or to a new group the user names; a file with a bad line adds nothing and the
// dialog's last line names the line and its fault.
#pragma once

#include "CDialogBase.h"

#include "worklist/GroupRows.h"

#include "win/afx/CComboBox.h"

#include <string>
#include <vector>

class MethodRows;

class CDialogImportWorklist : public CDialogBase {
public:
    // rows: the shown group's rows; groups: the main window's group box, which gains a new group.
    CDialogImportWorklist(CWnd* pParent, MethodRows& rows, CComboBox& groups);

protected:
    BOOL OnInitDialog() override;
    // Import: the dialog stays open, so that a refused file can be mended and read again.
    void OnOK() override;

private:
    // The group named in the dialog, made and listed in the group box; FALSE, the reason shown,
    // when it cannot be made.
    BOOL AddNamedGroup(std::wstring& strName, LONG& nNewId);
    // The groups in the main window's group box.
    std::vector<GroupEntry> ListedGroups() const;
    // The main window shows the group chosen in its box afresh, as when the user chooses it.
    void ShowChosenGroup();

    CWnd* m_pViewer;
    MethodRows& m_rows;
    CComboBox& m_comboGroups;
};
