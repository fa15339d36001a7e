// A module's help administrator.
#include "CXRHelpAdmin.h"

CXRHelpAdmin::CXRHelpAdmin(ShowHelp showHelp, int id, LPCWSTR helpKey, int flags)
    : m_showHelp(showHelp), m_id(id), m_helpKey(helpKey ? helpKey : L""), m_flags(flags)
{
}

SHORT CXRHelpAdmin::showTopic(HWND window, LPCWSTR helpFile, LPCWSTR topic)
{
    int viewId = 0;
    return m_showHelp ? m_showHelp(window, helpFile, topic, &viewId) : 1;
}
