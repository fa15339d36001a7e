// Hashing and walking an audit trail's chain.
#include "AuditChain.h"

#include "HashApi.h"

std::wstring AuditChain::Hash(LONG sequence, std::span<const std::wstring> fields, std::wstring_view previousHash)
{
    // The unit separator cannot be typed into a field, so no two records' contents join alike.
    std::wstring content = std::to_wstring(sequence);
    for (const std::wstring& field : fields)
        content += L'\x1F' + field;
    content += L'\x1F';
    content += previousHash;
    return HashSha256(content);
}

namespace {

constexpr std::wstring_view kAnchored = L"Audit trail anchored at record ";
constexpr std::wstring_view kHash = L", hash ";
constexpr std::size_t kHashLength = 64;
constexpr std::size_t kTimeLength = 19;

} // namespace

std::wstring AuditChain::AnchorText(LONG sequence, std::wstring_view hash)
{
    return std::wstring(kAnchored) + std::to_wstring(sequence) + std::wstring(kHash) + std::wstring(hash);
}

std::optional<AuditAnchor> AuditChain::ReadAnchor(std::wstring_view time, std::wstring_view text)
{
    if (!text.starts_with(kAnchored))
        return std::nullopt;
    text.remove_prefix(kAnchored.size());
    const std::size_t digits = text.find_first_not_of(L"0123456789");
    if (digits == 0 || digits > 9 || digits == std::wstring_view::npos || !text.substr(digits).starts_with(kHash))
        return std::nullopt;
    const LONG sequence = std::stol(std::wstring(text.substr(0, digits)));
    const std::wstring_view hash = text.substr(digits + kHash.size(), kHashLength);
    // What may follow is a note after a semicolon; anything else tells another trail's anchor.
    const std::wstring_view rest = text.substr(digits + kHash.size() + hash.size());
    if (sequence < 1 || hash.size() != kHashLength || hash.find_first_not_of(L"0123456789abcdef") != std::wstring_view::npos ||
        !(rest.empty() || rest.starts_with(L";")))
        return std::nullopt;
    return AuditAnchor{sequence, std::wstring(hash), std::wstring(time)};
}

std::optional<AuditAnchor> AuditChain::ReadHeadLine(std::wstring_view line)
{
    if (line.size() <= kTimeLength || line[kTimeLength] != L' ')
        return std::nullopt;
    return ReadAnchor(line.substr(0, kTimeLength), line.substr(kTimeLength + 1));
}

AuditChainCheck AuditChain::Check(std::span<const AuditLink> links, std::span<const AuditAnchor> anchors)
{
    std::wstring previous;
    LONG expected = 1;
    for (const AuditLink& link : links) {
        if (link.sequence < expected)
            return {AuditBreak::Inserted, link.sequence, links.size(), {}};
        if (link.sequence > expected)
            return {AuditBreak::Removed, expected, links.size(), {}};
        if (Hash(link.sequence, link.fields, previous) != link.hash)
            return {AuditBreak::Changed, link.sequence, links.size(), {}};
        previous = link.hash;
        ++expected;
    }
    // The chain is whole, so record n is links[n - 1].
    const AuditAnchor* newest = nullptr;
    for (const AuditAnchor& anchor : anchors)
        if (!newest || anchor.sequence > newest->sequence)
            newest = &anchor;
    const auto last = static_cast<LONG>(links.size());
    if (newest && newest->sequence > last)
        return {AuditBreak::Missing, last + 1, links.size(), *newest};
    for (const AuditAnchor& anchor : anchors)
        if (links[static_cast<std::size_t>(anchor.sequence) - 1].hash != anchor.hash)
            return {AuditBreak::Unanchored, anchor.sequence, links.size(), anchor};
    return {AuditBreak::None, 0, links.size(), {}};
}
