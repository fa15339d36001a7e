// The viewer's window is made by the host's language library, so the framework's create hook
// attaches it to its object before its first message.
#include "MainViewer.h"

#include "MenuState.h"
#include "ModuleSettings.h"

#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"

BOOL OpenMainViewer(CWnd* pParent)
{
    auto* viewer = new CDialogMainViewer(pParent);
    ModuleSettings.pMainViewer = viewer;

    AfxHookWindowCreate(viewer);
    HWND hWnd = NlsCreateDialog(ModuleResourceHandle(), IDD_MAIN_VIEWER,
                                pParent ? pParent->GetSafeHwnd() : nullptr, &AfxDlgProc);
    if (hWnd) {
        ::ShowWindow(hWnd, SW_SHOW);
        MenuState(FALSE);
    }
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

void CloseMainViewer()
{
    CDialogMainViewer* viewer = ModuleSettings.pMainViewer;
    if (!viewer)
        return;
    viewer->DestroyWindow();
    delete viewer;
    ModuleSettings.pMainViewer = nullptr;
}
