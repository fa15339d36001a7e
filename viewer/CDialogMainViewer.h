// The module's main window "Run Serion Methods": a modeless dialog that the host's FIARUNNER
// command opens, with the group and shut-down boxes, the run buttons and the module's menu.
#pragma once

#include "hotlink/CBspDataHotlink.h"
#include "win/afx/CDialog.h"

class CDialogMainViewer : public CDialog {
public:
    explicit CDialogMainViewer(CWnd* pParent = nullptr);
    ~CDialogMainViewer() override;

    // Also removes the keyboard routing when it is installed.
    BOOL DestroyWindow() override;
    // Enables the menu commands that the window's state allows.
    void UpdateCommandState();

protected:
    BOOL OnInitDialog() override;
    // Close, Escape and the close box: logs the closing, gives the host its menu entry back and
    // hides the window. The object stays until the next FIARUNNER replaces it.
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    // Hidden child that turns host variable changes into posted messages.
    CBspDataHotlink m_hotlink;

    void EnableCommand(CMenu* pMenu, UINT nID, BOOL bEnable);
};
