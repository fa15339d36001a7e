// The viewer's window is made by the host's language library, so the framework's create hook
// attaches it to its object before its first message.
#include "MainViewer.h"

#include "core/MenuState.h"
#include "core/ModuleSettings.h"

#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"

namespace {

// The viewer's opening may show a message box, whose loop runs the host's commands meanwhile.
bool opening = false;
// Owned.
CDialogMainViewer* openViewer = nullptr;

} // namespace

CDialogMainViewer* MainViewer() { return openViewer; }

BOOL OpenMainViewer(CWnd* pParent)
{
    auto* viewer = new CDialogMainViewer(pParent);
    openViewer = viewer;

    AfxHookWindowCreate(viewer);
    opening = true;
    HWND hWnd = NlsCreateDialog(ModuleResourceHandle(), IDD_MAIN_VIEWER,
                                pParent ? pParent->GetSafeHwnd() : nullptr, &AfxDlgProc);
    opening = false;
    if (hWnd) {
        ::ShowWindow(hWnd, SW_SHOW);
        MenuState(FALSE);
    }
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

void CloseMainViewer()
{
    CDialogMainViewer* viewer = openViewer;
    if (!viewer)
        return;
    viewer->DestroyWindow();
    delete viewer;
    openViewer = nullptr;
}

BOOL RaiseBusyMainViewer()
{
    CDialogMainViewer* viewer = openViewer;
    if (!viewer || !(opening || (::IsWindow(viewer->GetSafeHwnd()) && viewer->GetRun().IsRunning())))
        return FALSE;
    // A window hidden behind the lock stays hidden.
    if (::IsWindowVisible(viewer->GetSafeHwnd()))
        ::SetForegroundWindow(viewer->GetSafeHwnd());
    return TRUE;
}
