// The results of the rows' runs, kept in the worklist's result_tbl: a row's results are written
// through the session of the row's end, inside its transaction, so that the end and its results
// are committed together or not at all.
#pragma once

#include "MethodRecord.h"
#include "ResultRecord.h"

#include "oledb/CSession.h"

#include <string>
#include <vector>

class RowResults {
public:
    // Makes result_tbl when the worklist has none yet, as a worklist of an earlier version.
    static HRESULT MakeTable(const CSession& session);
    // Adds the results of row, as it ended, in group on session. A check standard among them that
    // failed QC makes the group's results since its last passing check or its standards suspect.
    static HRESULT Add(const CSession& session, const std::wstring& group, const MethodRecord& row,
                       const std::vector<ResultRecord>& results);
    // The samples of the instrument's RESULTS.CSV in a run's data folder, in its order, their
    // group and row not set; none when the folder has no such file or it cannot be read.
    static std::vector<ResultRecord> ReadFile(const std::wstring& dataFolder);

    // Every line of group's results on session, in the order written; none without result_tbl.
    static HRESULT ReadGroup(const CSession& session, const std::wstring& group, std::vector<ResultRecord>& results);
    // The lines of a group's results that row's last end wrote: its data file and end time tell
    // them apart from an earlier run's, and from a row that moved since. Places in groupResults.
    static std::vector<std::size_t> OfRow(const std::vector<ResultRecord>& groupResults, const MethodRecord& row);
    // A row's QC: kFailed when one of its results broke a QC rule, else kSuspect when one is
    // suspect; empty otherwise.
    static std::wstring Flag(const std::vector<ResultRecord>& rowResults);

    // The QC texts of a result line.
    static constexpr const wchar_t* kFailed = L"failed";
    static constexpr const wchar_t* kSuspect = L"suspect";

private:
    // The group's lines before its last count ones, from the last passing check or standard on,
    // become suspect when QC found nothing against them.
    static HRESULT FlagSuspects(const CSession& session, const std::wstring& group, std::size_t count);
};
