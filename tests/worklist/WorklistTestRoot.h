// A freshly installed root whose database the module's settings name: the file, or a new database
// on the tests' PostgreSQL server holding the delivered tables.
#pragma once

#include "module/core/ModuleSettings.h"
#include "resources/ModuleResources.h"

#include "orvane/Nls.h"

#include "ServerWorklist.h"

#include "oledb/Database.h"
#include "support/PgServer.h"
#include "support/ScriptedInput.h"
#include "worklist/WorklistSession.h"
#include "support/WorklistRoot.h"

#include "kernel/Text.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using Texts = std::vector<std::wstring>;

// Where the worklist is kept: the installation's file or a lab's server.
enum class WorklistProvider { File, Server };

inline std::ostream& operator<<(std::ostream& out, WorklistProvider provider)
{
    return out << (provider == WorklistProvider::File ? "File" : "Server");
}

// The rows of sql, each value as text, read through the provider from the worklist the settings
// name; empty when the worklist or the table cannot be read.
inline std::vector<Texts> QueryWorklist(const std::string& sql)
{
    CSession session;
    std::unique_ptr<provider::Statement> statement;
    std::vector<Texts> rows;
    if (FAILED(OpenWorklistSession(session, ModuleSettings, WorklistDataSourceProperties(ModuleSettings))) ||
        FAILED(session.m_spOpenRowset->Prepare(sql, IID_ICommand, L"", &statement)))
        return rows;
    WCHAR value[256];
    while (statement->step() == provider::Statement::Row) {
        Texts& row = rows.emplace_back();
        for (int i = 0; i < statement->columnCount(); ++i) {
            statement->columnText(i, value, std::size(value));
            row.push_back(value);
        }
    }
    return rows;
}

class WorklistTestRoot : public WorklistRoot {
public:
    explicit WorklistTestRoot(WorklistProvider provider = WorklistProvider::File)
    {
        ModuleSettings = CModuleSettings();
        ModuleSettings.strProvider = L"Microsoft.Jet.OLEDB.4.0";
        ModuleSettings.strDatabasePath = databasePath;
        ModuleSettings.strAuditHeadPath = headPath;
        if (provider == WorklistProvider::Server) {
            std::string error;
            ModuleSettings.strProvider = L"PostgreSQL.1";
            ModuleSettings.strDatabasePath = PgServer::NewDatabase();
            if (!InitServerWorklist(ModuleSettings.strDatabasePath, error))
                throw std::runtime_error(error);
        }
        ModuleSettings.strUserName = L"analyst";
        // As the module's initialisation does, so that its strings are found.
        NlsAddModule(ModuleResourceHandle());
    }
    ~WorklistTestRoot() { NlsRemoveModule(ModuleResourceHandle()); }

    // The audit trail's head file, beside the worklist file.
    static constexpr const wchar_t* headPath = L"C:\\Orvane\\Serion\\database\\worklist.head";
    std::filesystem::path headFile() const { return onDriveC("Orvane/Serion/database/worklist.head"); }

    // The trace log's contents so far.
    std::string traceLog() const { return ReadFileBytes(onDriveC("SRNA.LOG")); }

private:
    // Fails the test if a message box ever waits: the worklist says what went wrong to its caller.
    ScriptedInput m_user;
};
