// orvane --verify-audit: the hash chain of a root's audit trail walked from a shell, as the
// module's Audit Trail window walks it, without starting the host.
#pragma once

#include <filesystem>
#include <ostream>

class AuditVerification {
public:
    // Tells out that all records of the worklist file's trail are intact, or names the first one
    // changed, removed or inserted; 0 for an intact trail, 1 for a broken one or a file that
    // cannot be read (told on err).
    static int run(const std::filesystem::path& databaseFile, std::ostream& out, std::ostream& err);
};
