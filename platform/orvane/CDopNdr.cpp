// Reading a text item of the selected object.
#include "CDopNdr.h"

SHORT CDopNdr::GetNdrString(LPCWSTR name, std::wstring* value)
{
    RegObject* object = selectedObject();
    const std::wstring* text = object && name ? object->text(name) : nullptr;
    if (value)
        *value = text ? *text : L"";
    return !object ? REG_ERR_NO_OBJECT : text ? REG_OK : REG_ERR_NO_ITEM;
}
