// Building property groups.
#include "CDBPropSet.h"

void CDBPropSet::AddProperty(DBPROPID id, bool value, DBPROPOPTIONS options)
{
    rgProperties.push_back({id, options, DBPROPSTATUS_OK, value});
}

void CDBPropSet::AddProperty(DBPROPID id, SHORT value, DBPROPOPTIONS options)
{
    rgProperties.push_back({id, options, DBPROPSTATUS_OK, value});
}

void CDBPropSet::AddProperty(DBPROPID id, LONG value, DBPROPOPTIONS options)
{
    rgProperties.push_back({id, options, DBPROPSTATUS_OK, value});
}

void CDBPropSet::AddProperty(DBPROPID id, const std::wstring& value, DBPROPOPTIONS options)
{
    rgProperties.push_back({id, options, DBPROPSTATUS_OK, value});
}

void CDBPropSet::AddProperty(DBPROPID id, const wchar_t* value, DBPROPOPTIONS options)
{
    AddProperty(id, std::wstring(value ? value : L""), options);
}

const DBPROP* CDBPropSet::Find(DBPROPID id) const
{
    for (const DBPROP& property : rgProperties)
        if (property.dwPropertyID == id)
            return &property;
    return nullptr;
}
