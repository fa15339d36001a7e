// The base of every dialog of the module: runs the dialog modally through the host's language
// library, so that its template is the one the host's language selects, and offers the small
// operations on child controls that the dialogs use, and the module's help.
#pragma once

#include "win/afx/CDialog.h"

#include <string>

class CDialogBase : public CDialog {
public:
    CDialogBase(UINT nIDTemplate, CWnd* pParentWnd);

    // The end code; -1 without a template. Callers pass the id they gave the constructor.
    virtual int RunModal(WORD nIDTemplate);
    // Shown and enabled, or hidden and disabled so that the keyboard cannot reach it.
    virtual BOOL ShowControl(int nID, BOOL bShow);
    virtual BOOL EnableControl(int nID, BOOL bEnable);
    // Only for edit controls: FALSE, and nothing done, for any other control.
    virtual BOOL FocusEdit(int nID);
    virtual BOOL SetEditReadOnly(int nID, BOOL bReadOnly);

protected:
    // The module's help file at the context id, through HTML Help, in a window owned by this
    // dialog. When HTML Help cannot be had, that is remembered and this and every later request
    // does nothing.
    void ShowHelp(DWORD dwContextId);
    // F1 shows the topic m_dwHelpContext when the dialog has one, else it does what the dialog's
    // Help command does; a dialog with neither ignores it.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // Saving, a refusal of the field exchanged last is shown and fails the exchange, as a DDV_
    // check does; an empty refusal lets it pass.
    static void DDV_Refusal(CDataExchange* pDX, const std::wstring& strRefusal);
    // Lists a group's failure policies in combo box nID, in the order of their ONFAILURE_ values.
    void FillFailurePolicies(int nID);
    // The file name typed into edit nField; empty, with prompt nPrompt shown on line nResult, when
    // only blanks were typed.
    std::wstring TypedFileName(int nField, int nResult, UINT nPrompt);

    // The topic that tells of a dialog without a Help button of its own; 0 for none.
    DWORD m_dwHelpContext = 0;

    DECLARE_MESSAGE_MAP()

private:
    // The edit control nID, or null when there is none or it is another kind of control.
    CWnd* GetEdit(int nID) const;
};
