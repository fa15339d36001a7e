// Fresh roots with the delivered database.
#include "WorklistRoot.h"

#include "DeliveredDatabase.h"

#include <stdexcept>

WorklistRoot::WorklistRoot()
{
    std::string error;
    if (!CreateDeliveredDatabase(databaseFile(), error))
        throw std::runtime_error(error);
}
