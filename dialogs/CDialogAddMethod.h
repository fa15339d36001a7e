// "Add Method(s)": the methods of the host's method directory, each marked by whether its FIA.REG
// enables FIA, the FIA table of the method last changed, and how many samples each chosen method
// gets. The caller reads m_arrMethods and m_nSamples after OK.
#pragma once

#include "CDialogBase.h"
#include "CFIATable.h"

#include "win/afx/CImageList.h"
#include "win/afx/CListCtrl.h"
#include "win/afx/CSpinButtonCtrl.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

class CDopTable;

class CDialogAddMethod : public CDialogBase {
public:
    explicit CDialogAddMethod(CWnd* pParent = nullptr);

    // 1 when the method's FIA.REG enables FIA. With ppTable, a table with rows is stored through
    // it for the caller to own. With pstrProblem, what is wrong with a FIA.REG that is there but
    // cannot be used is stored through it (a method without one is simply without FIA).
    static int ReadFiaRegister(const std::wstring& strMethodPath, CFIATable** ppTable, std::wstring* pstrProblem = nullptr);
    // The rows of the captured FIATable; nothing is stored for a table without rows.
    static void ReadFiaRows(CDopTable& table, CFIATable** ppTable);

    CSpinButtonCtrl m_spinSamples;
    CListCtrl m_listFiaTable;
    CListCtrl m_listMethods;
    std::wstring m_strMethodPath;
    int m_nSamples = 1;
    CImageList m_imageList;
    std::vector<std::wstring> m_arrMethods;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The chosen names, then the checks; a refused count leaves no names behind.
    void OnOK() override;
    void OnMethodChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMethodsChosen(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHelp();
    // Says which methods are listed without FIA because of their FIA.REG, once the window shows.
    LRESULT OnShowFiaProblems(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void ListMethods();
    void ShowFiaTable(const CFIATable* pTable);

    // Every table read; the method items point into it while the window lives.
    std::list<std::unique_ptr<CFIATable>> m_listTables;
    // One line a method whose FIA.REG cannot be used: its name and what is wrong.
    std::wstring m_strFiaProblems;
};
