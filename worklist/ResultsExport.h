// A group's rows with their results as a file another program reads: CSV with a header line, or
// JSON when the file's name ends in ".json"; both in UTF-8, times in local time with its offset.
#pragma once

#include "ResultRecord.h"

#include "module/core/WorklistPlace.h"

#include "kernel/WinTypes.h"

#include <string>
#include <vector>

// What a row holds for the export, its times as seconds since 1970 (0 for none).
struct ExportedRow {
    LONG number;
    std::wstring method;
    std::wstring dataFile;
    std::wstring comments;
    std::wstring subFolder;
    bool checked;
    std::wstring state;
    LONG start;
    LONG end;
    std::wstring message;
    // What the row's run measured, a line for each sample, with their QC.
    std::vector<ResultRecord> results;
};

class ResultsExport {
public:
    // The columns in the order written, as the CSV header and the JSON keys name them.
    static const std::vector<std::wstring>& Columns();
    // The group's rows in order, read as one.
    static HRESULT ReadRows(const WorklistPlace& place, const std::wstring& group, std::vector<ExportedRow>& rows);
    // CSV, or JSON ({"group": ..., "rows": [...]}) for a ".json" file; 0, or the runtime's errno
    // when it cannot be written.
    static int WriteFile(const std::wstring& file, const std::wstring& group, const std::vector<ExportedRow>& rows);
    // "2026-12-08T14:32:05+01:00": the local time of seconds since 1970 with its offset from UTC.
    static std::wstring LocalIsoTime(LONG seconds);
};
