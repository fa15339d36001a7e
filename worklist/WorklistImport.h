// A CSV worklist from a LIMS read and checked as a whole: its header names the columns in any
// order, and one bad line refuses the whole file with the line and its fault, before anything
// is written.
#pragma once

#include "ImportedRow.h"

#include <string>
#include <string_view>
#include <vector>

class DataFolderUsers;

class WorklistImport {
public:
    // The rows of the file's bytes (UTF-8), each method found among methods (the method
    // directory's names, matched without regard to case, taken as the directory writes them).
    // Empty when every line is good; otherwise "Line N: fault" of the first bad line, rows empty.
    static std::wstring Read(std::string_view bytes, const std::vector<std::wstring>& methods,
                             std::vector<ImportedRow>& rows);
    // Every row whose data folder a row of another group names, with its line and that row, or
    // empty when there is none: such a file is refused.
    static std::wstring OtherGroupsData(const std::vector<ImportedRow>& rows, const DataFolderUsers& others);
    // The methods of a method directory: its "*.m" entries, as Add Method lists them.
    static std::vector<std::wstring> MethodsIn(const std::wstring& methodPath);
};
