// The accounts of the people who may use the module: user_tbl opened for change on a session of
// its own, through the complete initialisation group of the provider.
#pragma once

#include "UserRecord.h"

#include "oledb/CCommand.h"

#include <string>

class CUserTable : public CCommand<CAccessor<UserRecord>> {
public:
    // "SELECT * FROM user_tbl"; no row is loaded until the first move.
    HRESULT Open();
    // TRUE when an account has exactly this name (letter case counts); it is then the current
    // row. The first such row in rowset order wins.
    BOOL FindByName(const std::wstring& name);

    CSession m_session;
};
