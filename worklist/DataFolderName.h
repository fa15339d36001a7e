// The checks of a row's data file and sub-folder: the data of a row goes into the folder
// data path\sub-folder\data file, so each must make a Windows name and stay below the data path.
#pragma once

#include <string>
#include <string_view>

class DataFolderName {
public:
    // Why the text cannot be a data file (or its start, as a prefix is), or empty when it can.
    static std::wstring RefusalOfDataFile(std::wstring_view name);
    // Why the text cannot be a sub-folder below the data path, or empty when it can; an empty
    // sub-folder is the data path itself.
    static std::wstring RefusalOfSubFolder(std::wstring_view subFolder);
    // A character that no Windows file name can hold: \ / : * ? " < > | and the control characters.
    static bool HoldsForbiddenCharacter(std::wstring_view name);
};
