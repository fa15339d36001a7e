// An error of the macro language: its number (MACRO_ERR_...) and its message.
#pragma once

#include <string>

struct MacroError {
    int code = 0;
    std::wstring message;
};
