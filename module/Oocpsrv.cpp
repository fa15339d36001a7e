// The module's one exported entry, through which the host reaches the module.
#include "resources/ModuleResources.h"

#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::int16_t OOCPSRV(void* data, std::uint16_t event,
                                                                        std::int32_t first, std::int32_t second)
{
    (void)data;
    (void)event;
    (void)first;
    (void)second;
    // Loading the resources' handle keeps their announcement linked into the library.
    return ModuleResourceHandle() ? 0 : 1;
}
