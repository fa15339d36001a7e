// The headless help viewer's record of requests.
#include "ViewHelp.h"

namespace {

std::vector<HelpRequest>& requests()
{
    static std::vector<HelpRequest> recorded;
    return recorded;
}

} // namespace

SHORT ViewShowHelp(HWND window, LPCWSTR helpFile, LPCWSTR topic, int* viewId)
{
    requests().push_back({window, helpFile ? helpFile : L"", topic ? topic : L""});
    if (viewId)
        *viewId = static_cast<int>(requests().size());
    return 0;
}

const std::vector<HelpRequest>& ViewHelpRequests()
{
    return requests();
}

void ViewClearHelpRequests()
{
    requests().clear();
}
