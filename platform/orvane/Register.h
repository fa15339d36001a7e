// A named register of the host: a list of objects (numbered from 1), with the read and write
// locks that the register calls take on it.
#pragma once

#include "RegObject.h"
#include "kernel/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

using HREGISTER = DWORD;

class Register {
public:
    Register(std::wstring name, HREGISTER handle, bool temporary)
        : m_name(std::move(name)), m_handle(handle), m_temporary(temporary)
    {
    }

    const std::wstring& name() const { return m_name; }
    HREGISTER handle() const { return m_handle; }
    // Made by a write lock on a name no register had; RegFree discards it.
    bool temporary() const { return m_temporary; }

    RegObject& addObject(std::wstring name = {});
    // Object n counted from 1; null when there is none.
    RegObject* object(std::size_t n);
    std::size_t objectCount() const { return m_objects.size(); }
    // Replaces the objects, as loading a file does.
    void replaceObjects(std::vector<std::unique_ptr<RegObject>> objects) { m_objects = std::move(objects); }

    // Many readers or one writer. One thread runs everything, so a lock that is taken is never
    // waited for: it is refused.
    bool lockRead();
    bool lockWrite();
    void unlockRead();
    void unlockWrite();
    int readers() const { return m_readers; }
    bool writeLocked() const { return m_writer; }

private:
    std::wstring m_name;
    HREGISTER m_handle;
    bool m_temporary;
    std::vector<std::unique_ptr<RegObject>> m_objects;
    int m_readers = 0;
    bool m_writer = false;
};
