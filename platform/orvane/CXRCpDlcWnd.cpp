// The task window's application window: the host's window as a framework window.
#include "CXRCpDlcWnd.h"

#include "HostHandles.h"

#include "win/afx/CWnd.h"

CWnd* CXRCpDlcWnd::GetCAppWnd() const
{
    HWND hostWindow = nullptr;
    UTHOSTHANDLE request{UT_HOST_WINDOW, &hostWindow};
    if (UtGetHostHandles(0, &request, 1) != 0 || !hostWindow)
        return nullptr;
    return CWnd::FromHandle(hostWindow);
}
