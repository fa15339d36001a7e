// Writing the audit trail's anchors and reading the head file back.
#include "AuditHead.h"

#include "AuditRecord.h"

#include "module/core/LogbookWrite.h"

#include "kernel/CrtFile.h"
#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"

#include <utility>

namespace {

// The newest record written in the open transaction, and whether its commit anchors it. One
// transaction is open at a time: everything runs on one thread.
struct PendingAnchor {
    const CSession* session;
    const WorklistPlace* place;
    LONG sequence;
    std::wstring hash;
    bool due;
};
std::optional<PendingAnchor> g_pending;

BOOL WriteHeadFile(const std::wstring& path, const std::wstring& line)
{
    const std::wstring temporary = path + L".new";
    {
        const auto file = CrtFile::open(temporary, L"w");
        if (!file || !file->write(line + L"\n") || !file->commit())
            return FALSE;
    }
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace

void AuditHead::MarkPending(const CSession& session, const WorklistPlace& place, LONG sequence,
                            const std::wstring& hash, bool bDue)
{
    const bool bWasDue = g_pending && g_pending->session == &session && g_pending->due;
    g_pending = PendingAnchor{&session, &place, sequence, hash, bWasDue || bDue};
}

void AuditHead::TransactionEnded(const CSession& session, bool committed)
{
    if (!g_pending || g_pending->session != &session)
        return;
    const PendingAnchor pending = *std::exchange(g_pending, std::nullopt);
    if (committed && pending.due)
        Anchor(*pending.place, pending.sequence, pending.hash);
}

void AuditHead::Anchor(const WorklistPlace& place, LONG sequence, const std::wstring& hash)
{
    const std::wstring text = AuditChain::AnchorText(sequence, hash);
    const std::wstring& path = place.strAuditHeadPath;
    const BOOL bHeadWritten = path.empty() || WriteHeadFile(path, FormatTime(_time64(nullptr), kAuditTimeFormat) + L" " + text);
    // The logbook holds the anchors of every worklist this host used: a server's are told apart
    // from the file's.
    const std::wstring where = place.OnServer() ? L" (worklist on the lab server)" : L"";
    LogbookWrite(text + where + (bHeadWritten ? L"" : L"; the head file " + path + L" could not be written"));
}

std::optional<AuditAnchor> AuditHead::Read(const WorklistPlace& place)
{
    const auto file = place.strAuditHeadPath.empty() ? nullptr : CrtFile::open(place.strAuditHeadPath, L"r");
    std::string bytes;
    if (!file || !file->readBytes(bytes))
        return std::nullopt;
    std::wstring line = Utf8ToWide(bytes);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    return AuditChain::ReadHeadLine(line);
}
