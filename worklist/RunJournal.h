// The run's writes that the lab server could not take, kept in a file on the instrument's own
// machine and written to the server in order, each once, when it is back: by this host, or by the
// next start of the host when this one ends first. The file is CSV, a line for each write, so that
// a person can read it (docs/lab-server.md describes its lines).
#pragma once

#include "AuditTrail.h"
#include "MethodRecord.h"
#include "ResultRecord.h"

#include "module/core/WorklistPlace.h"

#include "kernel/TimeApi.h"
#include "oledb/CSession.h"
#include "kernel/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

class RunJournal {
public:
    // Beside the trace log, on the instrument's own drive C.
    static constexpr const wchar_t* kPath = L"C:\\SRNAJRNL.CSV";
    // Where writes go that another instrument's run made obsolete, for the lab to read.
    static constexpr const wchar_t* kSetAsidePath = L"C:\\SRNAJRNL-TAKEN-OVER.CSV";

    // The writes meant for the worklist at place, which outlives the journal.
    explicit RunJournal(const WorklistPlace& place) : m_place(place) {}

    // What waits: since when (the first write kept) and how many rows' ends; empty when nothing
    // waits. A journal that an earlier host left is read at the first question.
    struct Waiting {
        __time64_t since;
        int rowEnds;
    };
    std::optional<Waiting> Waits();

    // Each write is kept after the ones before it and reaches the disk before the call returns;
    // 0, or the runtime's errno when the file cannot be written.
    int KeepRow(const std::wstring& group, const MethodRecord& row, const std::vector<ResultRecord>& results);
    int KeepRecord(const std::wstring& group, const AuditEntry& entry);
    int KeepRunEnd(const std::wstring& group, LONG groupId, LONG runOpen, LONG stoppedRow, const AuditEntry& record);
    int KeepLeaveQueue(const std::wstring& group, LONG groupId);

    // Writes what waits to the worklist in order. Each write goes in one transaction with a mark
    // of its key on the server, and a write whose mark is there already is passed over, so that a
    // host that dies before the file is emptied never writes one twice. The file is emptied once
    // every write has landed; the first failure stops there and keeps the rest.
    HRESULT Forward();
    // Another instrument took over the run whose writes wait: they are appended to the file at
    // kSetAsidePath, never written to the server, and the journal is emptied; 0 or errno.
    int SetAside();

private:
    // The lines of the file as written (read once from the file).
    std::vector<std::vector<std::wstring>>& lines();
    // Appends the lines of one write under a new key; 0 or errno.
    int keep(std::vector<std::vector<std::wstring>> write);
    // Writes the write that begins at line first, with its results on the lines after it.
    HRESULT apply(const CSession& session, std::size_t first, std::size_t end);

    const WorklistPlace& m_place;
    std::optional<std::vector<std::vector<std::wstring>>> m_lines;
};
