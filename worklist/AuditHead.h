// The audit trail's head kept where a plain edit of the worklist does not reach: the newest record's
// number and hash in the host's logbook and in a small head file of one line on this instrument.
#pragma once

#include "kernel/AuditChain.h"

#include <optional>
#include <string>

class AuditHead {
public:
    // The anchor of this record, written to the head file (a new file renamed over the old one,
    // so that a crash leaves the one or the other whole) and to the logbook, which says when the
    // head file could not be written.
    static void Anchor(LONG sequence, const std::wstring& hash);
    // The head file's anchor; none when there is no head file or it holds none.
    static std::optional<AuditAnchor> Read();
};
