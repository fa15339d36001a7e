// Writing the audit trail's anchors and reading the head file back.
#include "AuditHead.h"

#include "AuditTrail.h"

#include "module/core/LogbookWrite.h"
#include "module/core/ModuleSettings.h"

#include "kernel/CrtFile.h"
#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"

namespace {

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

void AuditHead::Anchor(LONG sequence, const std::wstring& hash)
{
    const std::wstring text = AuditChain::AnchorText(sequence, hash);
    const std::wstring& path = ModuleSettings.strAuditHeadPath;
    const BOOL bHeadWritten = path.empty() || WriteHeadFile(path, AuditTrail::LocalTimeText(_time64(nullptr)) + L" " + text);
    // The logbook holds the anchors of every worklist this host used: a server's are told apart
    // from the file's.
    const std::wstring where = ModuleSettings.strProvider == kServerProvider ? L" (worklist on the lab server)" : L"";
    LogbookWrite(text + where + (bHeadWritten ? L"" : L"; the head file " + path + L" could not be written"));
}

std::optional<AuditAnchor> AuditHead::Read()
{
    const auto file = ModuleSettings.strAuditHeadPath.empty() ? nullptr : CrtFile::open(ModuleSettings.strAuditHeadPath, L"r");
    std::string bytes;
    if (!file || !file->readBytes(bytes))
        return std::nullopt;
    std::wstring line = Utf8ToWide(bytes);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    return AuditChain::ReadHeadLine(line);
}
