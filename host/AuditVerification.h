// orvane --verify-audit: the hash chain of a root's audit trail walked from a shell, as the
// module's Audit Trail window walks it, without starting the host, and held against the anchors
// of the trail's head in the head file beside the worklist and in the host's logbook.
#pragma once

#include <filesystem>
#include <ostream>

class AuditVerification {
public:
    // Tells out that all records of the worklist file's trail are intact, or names the first one
    // changed, removed or inserted, or those missing from its end; 0 for an intact trail, 1 for a
    // broken one or a file that cannot be read (told on err).
    static int run(const std::filesystem::path& databaseFile, const std::filesystem::path& headFile,
                   const std::filesystem::path& logbookFile, std::ostream& out, std::ostream& err);
};
