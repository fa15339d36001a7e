// The definition of one string parameter of a registered command.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Flag bit: the parameter must be given.
constexpr int XR_PARAM_REQUIRED = 1;

class CXRStringParam {
public:
    // An empty name makes an unnamed, positional parameter.
    CXRStringParam(int flags, LPCWSTR name) : m_flags(flags), m_name(name ? name : L"") {}

    bool required() const { return (m_flags & XR_PARAM_REQUIRED) != 0; }
    const std::wstring& name() const { return m_name; }

private:
    int m_flags;
    std::wstring m_name;
};
