// Reads the text items (NDR strings) of the selected register object.
#pragma once

#include "CDopObject.h"

#include <string>

class CDopNdr : public CDopObject {
public:
    // REG_ERR_NO_ITEM (and the empty text) when the object has no such item.
    SHORT GetNdrString(LPCWSTR name, std::wstring* value);
};
