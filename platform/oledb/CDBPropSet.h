// A group of properties handed to a data source or a command, as the consumer builds it.
#pragma once

#include "OleDb.h"

#include <string>
#include <variant>
#include <vector>

// A property's value: a flag, a 16-bit or 32-bit number, or a text.
using PropValue = std::variant<bool, SHORT, LONG, std::wstring>;

struct DBPROP {
    DBPROPID dwPropertyID;
    DBPROPOPTIONS dwOptions;
    DBPROPSTATUS dwStatus;
    PropValue vValue;
};

class CDBPropSet {
public:
    explicit CDBPropSet(const GUID& guid) : guidPropertySet(guid) {}

    void AddProperty(DBPROPID id, bool value, DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED);
    void AddProperty(DBPROPID id, SHORT value, DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED);
    void AddProperty(DBPROPID id, LONG value, DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED);
    void AddProperty(DBPROPID id, const std::wstring& value, DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED);
    void AddProperty(DBPROPID id, const wchar_t* value, DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED);

    // The property with that id, or null.
    const DBPROP* Find(DBPROPID id) const;

    GUID guidPropertySet;
    std::vector<DBPROP> rgProperties;
};
