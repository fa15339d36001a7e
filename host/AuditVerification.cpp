// Reading audit_tbl straight from the worklist file and checking its chain.
#include "AuditVerification.h"

#include "WorklistFile.h"

#include "kernel/AuditChain.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string BreakText(const AuditChainCheck& check)
{
    const std::string record = "record " + std::to_string(check.sequence);
    const std::string anchored = ", anchored at " + WideToUtf8(check.anchor.time);
    switch (check.kind) {
    case AuditBreak::Changed:
        return record + " was changed after it was written";
    case AuditBreak::Removed:
        return record + " was removed";
    case AuditBreak::Inserted:
        return record + " was inserted afterwards";
    case AuditBreak::Missing:
        return check.sequence == check.anchor.sequence
                   ? record + anchored + ", is missing"
                   : "records " + std::to_string(check.sequence) + " to " + std::to_string(check.anchor.sequence) +
                         anchored + ", are missing";
    case AuditBreak::Unanchored:
        return record + " is not the one anchored at " + WideToUtf8(check.anchor.time) +
               ": the trail was written anew up to it";
    case AuditBreak::None:
        break;
    }
    return "it is intact";
}

constexpr std::size_t kStampLength = 19;

// The anchors in the head file's line and in the logbook's entries; a file that is not there holds
// none.
std::vector<AuditAnchor> ReadAnchors(const std::filesystem::path& headFile, const std::filesystem::path& logbookFile)
{
    std::vector<AuditAnchor> anchors;
    std::istringstream head(FileBytes::read(headFile).value_or(""));
    std::string line;
    if (std::getline(head, line))
        if (const auto anchor = AuditChain::ReadHeadLine(Utf8ToWide(line.substr(0, line.find('\r')))))
            anchors.push_back(*anchor);
    // A logbook line is its time, the source's name and ": ", then the entry's text.
    std::istringstream logbook(FileBytes::read(logbookFile).value_or(""));
    while (std::getline(logbook, line)) {
        const std::size_t text = line.find(": ", kStampLength);
        if (text != std::string::npos)
            if (const auto anchor = AuditChain::ReadAnchor(Utf8ToWide(line.substr(0, kStampLength)),
                                                           Utf8ToWide(line.substr(text + 2))))
                anchors.push_back(*anchor);
    }
    return anchors;
}

} // namespace

int AuditVerification::run(const std::filesystem::path& databaseFile, const std::filesystem::path& headFile,
                           const std::filesystem::path& logbookFile, std::ostream& out, std::ostream& err)
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
    const bool hasTrail =
        std::any_of(tables.begin(), tables.end(), [](const FileTable& t) { return t.name == "audit_tbl"; });
    const std::vector<AuditAnchor> anchors = ReadAnchors(headFile, logbookFile);
    // A trail dropped whole is missing all of its anchored records.
    if (!hasTrail && anchors.empty()) {
        out << "The worklist " << databaseFile.string() << " has no audit trail yet\n";
        return 0;
    }
    std::vector<AuditLink> links;
    for (const auto& row : hasTrail ? file.rows(table) : WorklistFile::Rows()) {
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
    const AuditChainCheck check = AuditChain::Check(links, anchors);
    if (check.kind == AuditBreak::None) {
        out << "All " << check.count << " records of the audit trail are intact\n";
        return 0;
    }
    out << "The audit trail is broken: " << BreakText(check) << " (" << check.count << " records read)\n";
    return 1;
}
