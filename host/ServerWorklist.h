// A lab's shared worklist on a PostgreSQL server: the delivered tables made on an empty server
// database, and an installation's worklist file copied onto one, checked row by row.
#pragma once

#include <filesystem>
#include <string>

// Creates the delivered tables on the server named by connection. A server that holds them
// already is left as it is. False with a message in error otherwise.
bool InitServerWorklist(const std::wstring& connection, std::string& error);
// Copies every table of the worklist file, rows and row order included, onto a server database
// that holds no worklist yet, as one transaction that commits only when each row read back from
// the server equals the file's. rows counts the rows copied.
bool CopyWorklistToServer(const std::filesystem::path& databaseFile, const std::wstring& connection, long* rows,
                          std::string& error);
