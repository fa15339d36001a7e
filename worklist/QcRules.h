// The QC rules of the worklist's groups, kept in its qc_tbl: read for a group, and written for a
// group as one edit with its audit records. Each call opens a session of its own.
#pragma once

#include "QcRule.h"

#include "module/core/WorklistPlace.h"

#include "oledb/CSession.h"

#include <string>
#include <vector>

class QcRules {
public:
    // Group groupId's rules in their order; none when it has none, or the worklist has no qc_tbl.
    static HRESULT Read(const WorklistPlace& place, LONG groupId, std::vector<QcRule>& rules);
    // Group groupId (named groupName) has these rules from now on, in this order, replacing what it
    // had, as one edit with a record of each rule changed, added or removed. E_INVALIDARG, with
    // nothing written, when a rule is not valid.
    static HRESULT Write(const WorklistPlace& place, LONG groupId, const std::wstring& groupName,
                         const std::vector<QcRule>& rules);

    // Makes qc_tbl when the worklist has none yet, as a worklist of an earlier version.
    static HRESULT MakeTable(const CSession& session);
    // Removes group groupId's rules on session, inside the edit that deletes the group.
    static HRESULT Remove(const CSession& session, LONG groupId);
};
