// The root of the framework's classes: a virtual destructor, so that any framework object can be
// deleted through a base pointer and asked its type with dynamic_cast.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};
