// The help file a fresh installation delivers (helpenu\Orvane.chm): its title and the topics of
// the Serion windows, in the form HTML Help reads (docs/host.md).
#pragma once

#include <string>

std::string InstalledHelpFile();
