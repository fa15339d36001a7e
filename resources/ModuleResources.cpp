// Announces the module's resources to the platform while the library is loaded.
#include "ModuleResources.h"

#include <vector>

namespace {

class ResourceAnnouncement {
public:
    ResourceAnnouncement()
    {
        for (auto part : {CommandTableResources(), StringTableResources(), MainViewerResources(), MethodInfoResources(),
                          AddGroupResources(), RunQueueResources(), AddMethodResources(), AutoNameResources(), StateImagesResources(),
                          ControlBarResources(), LogonResources(), UserInfoResources(), LockerResources(),
                          UserAccountsResources(), AuditTrailResources(), LimsExchangeResources(), QcRulesResources()})
            m_entries.insert(m_entries.end(), part.begin(), part.end());
        m_module = RegisterModuleResources(this, m_entries);
    }
    ~ResourceAnnouncement() { UnregisterModuleResources(m_module); }

    HMODULE module() const { return m_module; }

private:
    std::vector<ResourceEntry> m_entries;
    HMODULE m_module = nullptr;
};

const ResourceAnnouncement& announcement()
{
    static ResourceAnnouncement announced;
    return announced;
}

// Announces the resources as soon as the library is loaded, before the host looks for them.
const ResourceAnnouncement& announcedAtLoad = announcement();

} // namespace

HMODULE ModuleResourceHandle() { return announcement().module(); }
