// Selects an object of a locked register.
#pragma once

#include "CDopRegister.h"
#include "RegObject.h"

class CDopObject : public CDopRegister {
public:
    SHORT GetFirstObj() { return GetNthObj(1); }
    // n counts from 1. REG_ERR_NO_OBJECT when the register has no such object.
    SHORT GetNthObj(int n);

protected:
    // The selected object, null when none is selected or it is gone.
    RegObject* selectedObject() const;

private:
    int m_objectNumber = 0;
};
