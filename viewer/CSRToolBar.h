// The main viewer's tool bar: tool bar 302, flat, with tool tips that the viewer gives from the
// command prompts.
#pragma once

#include "win/afx/CToolBar.h"

class CSRToolBar : public CToolBar {
public:
    using CToolBar::Create;
    // A flat bar along the parent's top, with the buttons of the tool bar resource.
    BOOL Create(CWnd* pParent, UINT nIDResource);

protected:
    // Offers every message to the tool-tip relay first, so that tips work inside the host's loop.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
