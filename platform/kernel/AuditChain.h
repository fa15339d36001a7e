// The hash chain of an audit trail: each record's SHA-256 covers its sequence number, its fields
// and the hash of the record before it, so that a record changed, removed or inserted afterwards
// breaks the chain just there. Anchors, the newest number and hash kept outside the worklist, show
// records cut from the chain's end. The module and the host's --verify-audit check it alike.
#pragma once

#include "WinTypes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct AuditLink {
    LONG sequence;
    std::vector<std::wstring> fields;
    std::wstring hash;
};

// The trail's newest record as it was when anchored, and when ("YYYY-MM-DD HH:MM:SS", local).
struct AuditAnchor {
    LONG sequence;
    std::wstring hash;
    std::wstring time;
};

// Missing: records from sequence to the anchor's are gone from the end. Unanchored: the record at
// the anchor's number is not the one anchored, so the chain was written anew up to it.
enum class AuditBreak { None, Changed, Removed, Inserted, Missing, Unanchored };

struct AuditChainCheck {
    AuditBreak kind;
    // The record changed or inserted, or the first one missing; 0 when the chain is whole.
    LONG sequence;
    // How many records were read.
    std::size_t count;
    // The anchor that the trail failed, for Missing and Unanchored.
    AuditAnchor anchor;
};

class AuditChain {
public:
    // The columns of the audit table that a record's hash covers besides its number, in the order
    // they are hashed.
    static constexpr std::array<const char*, 8> kHashedColumns{"UtcTime",    "LocalTime", "UserName", "Instrument",
                                                               "GroupName", "Event",     "OldValue", "NewValue"};
    static std::wstring Hash(LONG sequence, std::span<const std::wstring> fields, std::wstring_view previousHash);
    // links in sequence order, records of one number in the order they were written; the first
    // record is number 1. A whole chain must reach the newest of anchors and hold each anchored
    // record as it was.
    static AuditChainCheck Check(std::span<const AuditLink> links, std::span<const AuditAnchor> anchors = {});

    // "Audit trail anchored at record 58, hash ...": how an anchor is written after its time, in
    // the host's logbook and in the head file beside the worklist.
    static std::wstring AnchorText(LONG sequence, std::wstring_view hash);
    // The anchor that text (what follows its time) tells, which may go on with "; " and a note;
    // none when it tells none.
    static std::optional<AuditAnchor> ReadAnchor(std::wstring_view time, std::wstring_view text);
    // The anchor of a head file's one line "YYYY-MM-DD HH:MM:SS Audit trail anchored at ...".
    static std::optional<AuditAnchor> ReadHeadLine(std::wstring_view line);
};
