// Reading audit_tbl straight from the worklist file and checking its chain.
#include "AuditVerification.h"

#include "WorklistFile.h"

#include "kernel/AuditChain.h"
#include "kernel/Text.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const char* BreakText(AuditBreak kind)
{
    switch (kind) {
    case AuditBreak::Changed:
        return "was changed after it was written";
    case AuditBreak::Removed:
        return "was removed";
    case AuditBreak::Inserted:
        return "was inserted afterwards";
    case AuditBreak::None:
        break;
    }
    return "is intact";
}

} // namespace

int AuditVerification::run(const std::filesystem::path& databaseFile, std::ostream& out, std::ostream& err)
{
    WorklistFile file(databaseFile);
    if (!file.error().empty()) {
        err << "orvane: " << file.error() << "\n";
        return 1;
    }
    FileTable table{"audit_tbl", "", {"Sequence"}};
    table.columns.insert(table.columns.end(), AuditChain::kHashedColumns.begin(), AuditChain::kHashedColumns.end());
    table.columns.push_back("Hash");
    const auto tables = file.tables();
    if (std::none_of(tables.begin(), tables.end(), [](const FileTable& t) { return t.name == "audit_tbl"; })) {
        out << "The worklist " << databaseFile.string() << " has no audit trail yet\n";
        return 0;
    }
    std::vector<AuditLink> links;
    for (const auto& row : file.rows(table)) {
        // The row handle comes first, then the columns asked for.
        const auto sequence = static_cast<LONG>(std::atol(row[1].value_or("0").c_str()));
        AuditLink link{sequence, {}, Utf8ToWide(row.back().value_or(""))};
        for (std::size_t i = 2; i + 1 < row.size(); ++i)
            link.fields.push_back(Utf8ToWide(row[i].value_or("")));
        links.push_back(std::move(link));
    }
    // Records of one number stay in the order they were written.
    std::stable_sort(links.begin(), links.end(),
                     [](const AuditLink& a, const AuditLink& b) { return a.sequence < b.sequence; });
    const AuditChainCheck check = AuditChain::Check(links);
    if (check.kind == AuditBreak::None) {
        out << "All " << check.count << " records of the audit trail are intact\n";
        return 0;
    }
    out << "The audit trail is broken: record " << check.sequence << " " << BreakText(check.kind) << " (" << check.count
        << " records read)\n";
    return 1;
}
