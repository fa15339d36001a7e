// The hash chain of an audit trail: each record's SHA-256 covers its sequence number, its fields
// and the hash of the record before it, so that a record changed, removed or inserted afterwards
// breaks the chain just there. The module and the host's --verify-audit check it alike.
#pragma once

#include "WinTypes.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

struct AuditLink {
    LONG sequence;
    std::vector<std::wstring> fields;
    std::wstring hash;
};

enum class AuditBreak { None, Changed, Removed, Inserted };

struct AuditChainCheck {
    AuditBreak kind;
    // The record changed or inserted, or the first one missing; 0 when the chain is whole.
    LONG sequence;
    // How many records were read.
    std::size_t count;
};

class AuditChain {
public:
    // The columns of the audit table that a record's hash covers besides its number, in the order
    // they are hashed.
    static constexpr std::array<const char*, 8> kHashedColumns{"UtcTime",    "LocalTime", "UserName", "Instrument",
                                                               "GroupName", "Event",     "OldValue", "NewValue"};
    static std::wstring Hash(LONG sequence, std::span<const std::wstring> fields, std::wstring_view previousHash);
    // links in sequence order, records of one number in the order they were written; the first
    // record is number 1.
    static AuditChainCheck Check(std::span<const AuditLink> links);
};
