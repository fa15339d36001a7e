// Databases on the tests' PostgreSQL cluster, started here when the test run has not.
#include "PgServer.h"

#include "kernel/Text.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

std::string clusterCommand(const char* action)
{
    return std::string("sh '") + SERION_PG_CLUSTER_SCRIPT + "' " + action + " '" + SERION_PG_CLUSTER_DIR + "'";
}

void stopOwnCluster() { std::system(clusterCommand("stop").c_str()); }

void ensureCluster()
{
    static bool checked = false;
    if (checked)
        return;
    checked = true;
    if (std::filesystem::exists(PgServer::SocketFolder() + "/.s.PGSQL.5432"))
        return;
    if (std::system(clusterCommand("start").c_str()) != 0)
        throw std::runtime_error("the tests' PostgreSQL cluster does not start: see " + PgServer::SocketFolder());
    std::atexit(stopOwnCluster);
}

// Runs sql on the cluster's own database; the server's complaint when it fails.
std::string runOnCluster(const std::string& sql)
{
    const std::string server = "host=" + PgServer::SocketFolder() + " dbname=postgres user=postgres";
    PGconn* connection = PQconnectdb(server.c_str());
    PGresult* result = PQexec(connection, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const std::string why = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK ? "" : PQerrorMessage(connection);
    PQclear(result);
    PQfinish(connection);
    return why;
}

// The database that a connection of NewDatabase names, with or without an account before it.
std::string databaseName(const std::wstring& connection)
{
    const std::string text = WideToUtf8(connection);
    const auto query = text.find('?');
    const auto start = text.rfind('/', query) + 1;
    return text.substr(start, query - start);
}

} // namespace

std::string PgServer::SocketFolder() { return SERION_PG_CLUSTER_DIR; }

std::wstring PgServer::NewDatabase()
{
    ensureCluster();
    static int made = 0;
    const std::string name = "worklist_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
    const std::string why = runOnCluster("CREATE DATABASE " + name);
    if (!why.empty())
        throw std::runtime_error("cannot create a database on the tests' cluster: " + why);
    return Utf8ToWide("postgresql:///" + name + "?host=" + SocketFolder() + "&user=postgres");
}

void PgServer::EndSessions(const std::wstring& connection)
{
    // Waits until each session has ended, so that the locks it held are free when this returns.
    runOnCluster("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE datname = '" +
                 databaseName(connection) + "'");
}

void PgServer::SetReachable(const std::wstring& connection, bool reachable)
{
    runOnCluster("ALTER DATABASE " + databaseName(connection) + " ALLOW_CONNECTIONS " + (reachable ? "true" : "false"));
    if (!reachable)
        EndSessions(connection);
}
