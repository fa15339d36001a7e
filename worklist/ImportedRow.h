// A row of a LIMS worklist to add as the file plans it.
#pragma once

#include <cstddef>
#include <string>

struct ImportedRow {
    // The file's line the row begins on, from 1.
    std::size_t line = 0;
    std::wstring method;
    // Empty: the row is named as Autoname names it with the group's name.
    std::wstring dataFile;
    std::wstring comments;
    std::wstring subFolder;
    bool checked = true;
};
