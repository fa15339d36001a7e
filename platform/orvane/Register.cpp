// Registers: their objects and locks.
#include "Register.h"

RegObject& Register::addObject(std::wstring name)
{
    m_objects.push_back(std::make_unique<RegObject>(std::move(name)));
    return *m_objects.back();
}

RegObject* Register::object(std::size_t n)
{
    return n >= 1 && n <= m_objects.size() ? m_objects[n - 1].get() : nullptr;
}

bool Register::lockRead()
{
    if (m_writer)
        return false;
    ++m_readers;
    return true;
}

bool Register::lockWrite()
{
    if (m_writer || m_readers > 0)
        return false;
    m_writer = true;
    return true;
}

void Register::unlockRead()
{
    if (m_readers > 0)
        --m_readers;
}

void Register::unlockWrite()
{
    m_writer = false;
}
