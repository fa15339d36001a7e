// The host's registers, by name (without regard to case) and by handle.
#pragma once

#include "Register.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RegisterStore {
public:
    static RegisterStore& instance();

    Register* find(std::wstring_view name);
    Register* find(HREGISTER handle);
    // The register of that name, made empty when there is none.
    Register& obtain(std::wstring_view name, bool temporary = false);
    // False when no such register exists or it is locked.
    bool remove(HREGISTER handle);
    // Forgets every register: a fresh host.
    void clear() { m_registers.clear(); }

private:
    RegisterStore() = default;
    std::vector<std::unique_ptr<Register>> m_registers;
    HREGISTER m_nextHandle = 1;
};
