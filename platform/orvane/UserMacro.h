// A user macro as loaded from a macro file: its parameters and its body, with the jumps of its
// If and While blocks worked out when it was loaded.
#pragma once

#include <string>
#include <vector>

struct MacroLine {
    enum class Kind { Statement, If, Else, EndIf, While, EndWhile };
    Kind kind = Kind::Statement;
    std::wstring text;
    int lineNumber = 0;
    // If: the line after its Else or its EndIf; Else: its EndIf; While: the line after its
    // EndWhile; EndWhile: its While.
    std::size_t jump = 0;
};

struct UserMacro {
    std::wstring name;
    std::vector<std::wstring> parameters;
    std::vector<MacroLine> body;
    std::wstring file;
};
