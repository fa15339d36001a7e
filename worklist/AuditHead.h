// The audit trail's head kept where a plain edit of the worklist does not reach: the newest record's
// number and hash in the host's logbook and in a small head file of one line on this instrument,
// written when the transaction that wrote the record commits.
#pragma once

#include "module/core/WorklistPlace.h"

#include "kernel/AuditChain.h"

#include <optional>
#include <string>

class CSession;

class AuditHead {
public:
    // The newest record written in session's open transaction on the worklist at place (which
    // outlives the transaction): its commit anchors it when bDue, or when an earlier record of the
    // same transaction was due.
    static void MarkPending(const CSession& session, const WorklistPlace& place, LONG sequence,
                            const std::wstring& hash, bool bDue);
    // Told by the transaction on session as it ends: a commit anchors what is due.
    static void TransactionEnded(const CSession& session, bool committed);
    // The anchor in the place's head file; none when there is no head file or it holds none.
    static std::optional<AuditAnchor> Read(const WorklistPlace& place);

private:
    // The anchor of this record, written to the head file (a new file renamed over the old one,
    // so that a crash leaves the one or the other whole) and to the logbook, which says when the
    // head file could not be written.
    static void Anchor(const WorklistPlace& place, LONG sequence, const std::wstring& hash);
};
