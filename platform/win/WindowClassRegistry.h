// The registered window classes, the system's own ("Button", "Edit", "#32770", ...) included.
// Names compare without regard to case.
#pragma once

#include "win/WindowClass.h"

#include <memory>
#include <vector>

class WindowClassRegistry {
public:
    static WindowClassRegistry& instance();
    // A control class of the system's own, there in every process as the system registers its
    // controls at start: each control's source file adds its class as the library is loaded.
    static bool addSystemClass(LPCWSTR name, WNDPROC procedure, UINT style = 0);

    // False (ERROR_CLASS_ALREADY_EXISTS) when the name is taken.
    bool add(const WindowClass& windowClass);
    // Windows keep their class alive after it is unregistered.
    std::shared_ptr<const WindowClass> find(std::wstring_view name) const;
    // A class name as Win32 passes it: a text, or an atom (0x8002 is the dialog class).
    static std::wstring nameOf(LPCWSTR name);

private:
    WindowClassRegistry();
    std::vector<std::shared_ptr<const WindowClass>> m_classes;
};
