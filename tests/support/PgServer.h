// The throwaway PostgreSQL cluster of the tests. A test run starts it once for all its programs
// (a CTest fixture); a test program run on its own starts it for itself and stops it at its end.
#pragma once

#include <string>

class PgServer {
public:
    // A new, empty database on the cluster; its connection as the host setting names it.
    static std::wstring NewDatabase();
    // Ends every server session on the database of connection, as a restarted server or a broken
    // network would, and waits until they have ended.
    static void EndSessions(const std::wstring& connection);
    // The database of connection refuses every new session, its sessions ended, as a server that
    // is down; or it is reachable again.
    static void SetReachable(const std::wstring& connection, bool reachable);
    // The folder that holds the cluster's socket.
    static std::string SocketFolder();
};
