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

AuditChainCheck AuditChain::Check(std::span<const AuditLink> links)
{
    std::wstring previous;
    LONG expected = 1;
    for (const AuditLink& link : links) {
        if (link.sequence < expected)
            return {AuditBreak::Inserted, link.sequence, links.size()};
        if (link.sequence > expected)
            return {AuditBreak::Removed, expected, links.size()};
        if (Hash(link.sequence, link.fields, previous) != link.hash)
            return {AuditBreak::Changed, link.sequence, links.size()};
        previous = link.hash;
        ++expected;
    }
    return {AuditBreak::None, 0, links.size()};
}
