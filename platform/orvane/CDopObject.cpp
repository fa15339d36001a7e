// Selecting an object of the locked register.
#include "CDopObject.h"

SHORT CDopObject::GetNthObj(int n)
{
    Register* reg = lockedRegister();
    if (!reg)
        return REG_ERR_NOT_LOCKED;
    if (n < 1 || !reg->object(static_cast<std::size_t>(n)))
        return REG_ERR_NO_OBJECT;
    m_objectNumber = n;
    return REG_OK;
}

RegObject* CDopObject::selectedObject() const
{
    Register* reg = lockedRegister();
    return reg && m_objectNumber > 0 ? reg->object(static_cast<std::size_t>(m_objectNumber)) : nullptr;
}
