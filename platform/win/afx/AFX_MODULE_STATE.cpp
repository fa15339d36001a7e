// The module state in force and the handles read from it.
#include "AFX_MODULE_STATE.h"

#include <utility>

namespace {

AFX_MODULE_STATE*& currentState()
{
    static AFX_MODULE_STATE processState;
    static AFX_MODULE_STATE* current = &processState;
    return current;
}

} // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(HINSTANCE hInstance, std::wstring appName)
    : m_hCurrentInstanceHandle(hInstance), m_hCurrentResourceHandle(hInstance), m_strAppName(std::move(appName))
{
}

AFX_MODULE_STATE* AfxGetModuleState() { return currentState(); }

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState)
{
    AFX_MODULE_STATE* previous = currentState();
    if (pState)
        currentState() = pState;
    return previous;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AfxSetResourceHandle(HINSTANCE hResource) { AfxGetModuleState()->m_hCurrentResourceHandle = hResource; }
CWnd* AfxGetMainWnd() { return AfxGetModuleState()->m_pMainWnd; }
