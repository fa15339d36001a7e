// The audit trail of the worklist and the accounts: records appended through the session of the
// change they tell of, inside its transaction, so that both are committed or neither; and the
// records read back with their chain checked.
#pragma once

#include "AuditRecord.h"

#include "module/core/WorklistPlace.h"

#include "kernel/AuditChain.h"
#include "kernel/TimeApi.h"
#include "oledb/CCommand.h"

#include <functional>
#include <string>
#include <vector>

// What one record tells besides who, when and where.
struct AuditEntry {
    std::wstring event;
    std::wstring oldValue;
    std::wstring newValue;
};

class AuditTrail {
public:
    // The trail opened for appending on session, the table made when the database has none yet.
    // The session's transaction must be open: the last record is read under its write lock. The
    // transaction's commit anchors the trail's newest record (AuditHead) when its records passed
    // a hundredth one, or when asked to. The records name the place's user and instrument; the
    // place outlives the trail.
    AuditTrail(const CSession& session, const WorklistPlace& place);
    AuditTrail(const AuditTrail&) = delete;
    AuditTrail& operator=(const AuditTrail&) = delete;

    HRESULT Opened() const { return m_opened; }
    const WorklistPlace& Place() const { return m_place; }
    // Appends a record by the place's user (the one logged on, or the login name) on its instrument,
    // now.
    HRESULT Add(const std::wstring& group, const std::wstring& event, const std::wstring& oldValue = {},
                const std::wstring& newValue = {});
    // The entries in order; stops at the first failure.
    HRESULT Add(const std::wstring& group, const std::vector<AuditEntry>& entries);
    // The newest record added is anchored when the transaction commits, hundredth or not.
    void AnchorAtCommit();

    // write (which returns its status), then a record of each entry, as one edit on session:
    // committed together or not at all, and anchored when bAnchor is set. Shows nothing.
    static HRESULT WriteWithRecords(const CSession& session, const WorklistPlace& place,
                                    const std::function<HRESULT()>& write, const std::wstring& group,
                                    const std::vector<AuditEntry>& entries, BOOL bAnchor = FALSE);

    // A record of an event that changes nothing else (a logon, the lock, a pause), on a session of
    // its own, anchored.
    static HRESULT Record(const WorklistPlace& place, const std::wstring& group, const AuditEntry& entry);

    // Every record in the order written, on a session of its own; none when there is no trail yet.
    static HRESULT ReadAll(const WorklistPlace& place, std::vector<AuditRecord>& records);
    // "YYYY-MM-DD HH:MM:SS" of a record's UTC seconds, as its local time is written.
    static std::wstring UtcTimeText(LONG utcTime);
    static std::wstring LocalTimeText(__time64_t time);
    // The records' chain, and the newest record anchored in the head file still there as it was.
    static AuditChainCheck Verify(const WorklistPlace& place, const std::vector<AuditRecord>& records);
    // "1-3, 7": row numbers as the list shows them (from 1) of the rows with these "aaaID"s.
    static std::wstring RowNumbers(const std::vector<LONG>& ids);

private:
    class Table : public CCommand<CAccessor<AuditRecord>> {};

    static HRESULT MakeTable(const CSession& session);
    // The newest record is to be anchored at the commit, or only remembered when not bDue.
    void MarkForAnchor(bool bDue) const;

    const CSession& m_session;
    const WorklistPlace& m_place;
    Table m_table;
    HRESULT m_opened;
    LONG m_lastSequence = 0;
    std::wstring m_lastHash;
};
