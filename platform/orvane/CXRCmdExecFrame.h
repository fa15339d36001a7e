// The execution frame of one command call: the parameters the host passed.
#pragma once

#include "kernel/WinTypes.h"

#include <string>
#include <vector>

class CXRCmdExecFrame {
public:
    virtual ~CXRCmdExecFrame() = default;

    // Parameter index counted from 1; the empty text, and *found FALSE, when it was not given.
    std::wstring GetStringParam(int index, BOOL* found = nullptr) const;

    void setParams(std::vector<std::wstring> params) { m_params = std::move(params); }
    int paramCount() const { return static_cast<int>(m_params.size()); }

private:
    std::vector<std::wstring> m_params;
};
