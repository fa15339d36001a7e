// The group operations the main window performs on its group table: listing, checking a new name,
// adding a group with its method table, deleting a group's row and its shut-down option.
#pragma once

#include "CGroupTable.h"

#include "kernel/TimeApi.h"

#include <string>
#include <vector>

struct GroupEntry {
    std::wstring name;
    LONG id;
};

class GroupRows {
public:
    explicit GroupRows(CGroupTable& table) : m_table(table) {}

    std::vector<GroupEntry> List();
    // Why name cannot become a group beside the listed ones, or empty when it can. A name is a
    // table name and the start of data file names, so it must also be a file name's start.
    static std::wstring RefusalOf(const std::wstring& name, const std::vector<GroupEntry>& listed);
    // Creates the method table, waits a second (through wait), then appends the row with the last
    // row's id plus one (2 for the first group of an empty table when listIsEmpty). A failed
    // create has been shown and nothing is written.
    HRESULT Add(const std::wstring& name, bool listIsEmpty, LONG* newId, void (*wait)(DWORD) = Sleep);
    // Deletes the row of group id, when there is one.
    void DeleteRow(LONG id);
    // The row of group id becomes current; false when no row has it.
    bool FindById(LONG id);
    // Stores a shut-down command in the row of group id, cut to the field.
    void StoreShutDownOption(LONG id, const std::wstring& option);
    void StoreRecoveryCommand(LONG id, const std::wstring& command);
    // What group id's run leaves behind: whether the run is open (its shut-down not yet sent) and
    // the row a Stop aborted (from 1; 0 for none).
    HRESULT StoreRunEnd(LONG id, LONG runOpen, LONG stoppedRow);

private:
    CGroupTable& m_table;
};
