// What the provider's tests share: a session on the root's worklist, the descriptions of the last
// failed call, a group record bound by position and its rows' names, a fresh root with both open,
// and a direct look into the file.
#pragma once

#include "oledb/CCommand.h"
#include "oledb/CDBErrorInfo.h"
#include "oledb/CDataSource.h"
#include "oledb/CSession.h"
#include "kernel/Text.h"

#include "support/WorklistRoot.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

inline HRESULT OpenSession(CSession& session, const std::wstring& path = WorklistRoot::databasePath,
                           const wchar_t* provider = L"Microsoft.Jet.OLEDB.4.0")
{
    CDataSource dataSource;
    CDBPropSet init(DBPROPSET_DBINIT);
    init.AddProperty(DBPROP_INIT_DATASOURCE, path);
    const HRESULT status = dataSource.Open(provider, &init);
    return FAILED(status) ? status : session.Open(dataSource);
}

inline CDBPropSet ChangeableRowset()
{
    CDBPropSet rowset(DBPROPSET_ROWSET);
    rowset.AddProperty(DBPROP_IRowsetChange, true);
    rowset.AddProperty(DBPROP_UPDATABILITY, DBPROPVAL_UP_CHANGE | DBPROPVAL_UP_DELETE | DBPROPVAL_UP_INSERT);
    return rowset;
}

// The descriptions of the thread's error records; the error object is used up.
inline std::vector<std::wstring> ErrorDescriptions()
{
    CDBErrorInfo errors;
    ULONG count = 0;
    std::vector<std::wstring> descriptions;
    if (FAILED(errors.GetErrorRecords(&count)))
        return descriptions;
    for (ULONG i = 0; i < count; ++i) {
        std::wstring description;
        errors.GetAllErrorInfo(i, 1033, &description);
        descriptions.push_back(description);
    }
    return descriptions;
}

struct GroupRow {
    LONG GroupID;
    WCHAR GroupName[51];
    WCHAR ShutDownOption[51];

    BEGIN_COLUMN_MAP(GroupRow)
        COLUMN_ENTRY(1, GroupID)
        COLUMN_ENTRY(2, GroupName)
        COLUMN_ENTRY(3, ShutDownOption)
    END_COLUMN_MAP()
};

class GroupRows : public CCommand<CAccessor<GroupRow>> {
public:
    HRESULT Open(const CSession& session)
    {
        const CDBPropSet rowset = ChangeableRowset();
        return CCommand::Open(session, L"SELECT * FROM group_tbl", &rowset);
    }
    void Set(LONG id, const std::wstring& name, const std::wstring& option = L" ")
    {
        ClearRecord();
        GroupID = id;
        name.copy(GroupName, 50);
        option.copy(ShutDownOption, 50);
    }
};

// The group names of the rows, walked from the first.
inline std::vector<std::wstring> GroupNames(GroupRows& groups)
{
    std::vector<std::wstring> names;
    for (HRESULT status = groups.MoveFirst(); status == S_OK; status = groups.MoveNext())
        names.push_back(groups.GroupName);
    return names;
}

// A method table's row, its columns bound by name.
struct NamedRow {
    LONG aaaID;
    WCHAR Name[256];
    BEGIN_COLUMN_MAP(NamedRow)
        COLUMN_NAME(L"aaaID", aaaID)
        COLUMN_NAME(L"Method Name", Name)
    END_COLUMN_MAP()
};

// A name as a command writes it: in double quotes, a quote inside doubled.
inline std::wstring QuotedName(const std::wstring& name)
{
    std::wstring out = L"\"";
    for (wchar_t c : name)
        out += c == L'"' ? L"\"\"" : std::wstring(1, c);
    return out + L"\"";
}

// A fresh root with a session on its worklist and its group table open for changes.
class WorklistSession : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(OpenSession(session), S_OK);
        ASSERT_EQ(groups.Open(session), S_OK);
    }

    WorklistRoot root;
    CSession session;
    GroupRows groups;
};

// The file as the engine sees it, without the provider.
class DirectLook {
public:
    explicit DirectLook(const std::filesystem::path& file)
    {
        sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    }
    ~DirectLook() { sqlite3_close(m_db); }

    // The first column of the first row of sql, as text.
    std::string Value(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        std::string value = "<error>";
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return value;
    }

private:
    sqlite3* m_db = nullptr;
};
