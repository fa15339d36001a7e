// The main viewer's status bar: the logo, the host's system status in its colours, and the run's
// message texts.
#pragma once

#include "win/afx/CBitmap.h"
#include "win/afx/CStatusBar.h"

#include <string>
#include <vector>

class CSRStatusBar : public CStatusBar {
public:
    using CStatusBar::Create;
    // Along the parent's bottom, with its three panes, the logo and the status not yet known.
    BOOL Create(CWnd* pParent);

    // Shows a run's message in the message pane.
    void SetMessageText(LPCWSTR lpszText);
    void SetMessageTextId(UINT nID);
    // A message with shorter forms: the pane shows the longest it has room for.
    void SetMessageForms(std::vector<std::wstring> forms);
    // The message's whole text, whichever form the pane has room for.
    const std::wstring& MessageText() const { return m_messageForms.front(); }
    const std::vector<std::wstring>& MessageForms() const { return m_messageForms; }
    // While access control is on, who is logged on, in a pane at the right.
    void ShowLoggedOnUser();
    // Shows the host's GUISYSTEMSTATUS$: "instrument|mode|ST:c|state", where the letter c chooses
    // the colours and the state is the text shown. Offline, the host's offline text in white on
    // dark grey.
    void ShowSystemStatus(std::wstring strText);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    // The status field's text; its pane widens past its 100 pixels when the text needs it, and the
    // message pane stretches over what is left.
    void SetStatusText(std::wstring strText);

    CBitmap m_bmpLogo;
    // Never empty: the message pane's text, then its shorter forms.
    std::vector<std::wstring> m_messageForms{L""};
    std::wstring m_strStatus;
    COLORREF m_crText = 0;
    COLORREF m_crBack = 0;
};
