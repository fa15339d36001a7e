// Reading and writing the groups' QC rules in qc_tbl.
#include "QcRules.h"

#include "AuditTrail.h"
#include "EditTransaction.h"
#include "QcRuleRecord.h"
#include "RecordText.h"
#include "WorklistSession.h"

#include "kernel/WinFormat.h"
#include "oledb/CCommand.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr const wchar_t* kTable = L"qc_tbl";

using RuleTable = CCommand<CAccessor<QcRuleRecord>>;

HRESULT OpenRules(RuleTable& table, const CSession& session, LONG groupId, const CDBPropSet* rowset = nullptr)
{
    const std::wstring command =
        L"SELECT * FROM " + std::wstring(kTable) + L" WHERE GroupID = " + std::to_wstring(groupId) + L" ORDER BY RuleNo";
    return table.Open(session, command.c_str(), rowset);
}

QcRule RuleOf(const QcRuleRecord& record)
{
    return {static_cast<QcCheck>(record.CheckKind), std::wcstod(record.Low, nullptr), std::wcstod(record.High, nullptr),
            static_cast<QcAction>(record.Action),   static_cast<QcAction>(record.ThenAction), record.CalibrationGroup};
}

// The records of what changed from before to after, rule by rule.
std::vector<AuditEntry> Changes(const std::vector<QcRule>& before, const std::vector<QcRule>& after)
{
    std::vector<AuditEntry> entries;
    for (std::size_t n = 0; n < std::max(before.size(), after.size()); ++n) {
        const std::wstring old = n < before.size() ? before[n].Text() : L"";
        const std::wstring now = n < after.size() ? after[n].Text() : L"";
        if (old != now)
            entries.push_back({FormatWin(L"QC rule %d changed", static_cast<int>(n) + 1), old, now});
    }
    return entries;
}

} // namespace

HRESULT QcRules::MakeTable(const CSession& session)
{
    const QcRuleRecord record{};
    const DBCOLUMNDESC columns[] = {
        TableColumn(L"GroupID", DBTYPE_I4),
        TableColumn(L"RuleNo", DBTYPE_I4),
        TableColumn(L"CheckKind", DBTYPE_I4),
        TableColumn(L"Low", DBTYPE_WSTR, FieldWidth(record.Low)),
        TableColumn(L"High", DBTYPE_WSTR, FieldWidth(record.High)),
        TableColumn(L"Action", DBTYPE_I4),
        TableColumn(L"ThenAction", DBTYPE_I4),
        TableColumn(L"CalibrationGroup", DBTYPE_WSTR, FieldWidth(record.CalibrationGroup)),
    };
    return MakeMissingTable(session, kTable, columns);
}

HRESULT QcRules::Read(const WorklistPlace& place, LONG groupId, std::vector<QcRule>& rules)
{
    rules.clear();
    CSession session;
    HRESULT status = OpenWorklistSession(session, place, WorklistDataSourceProperties(place));
    RuleTable table;
    if (SUCCEEDED(status))
        status = OpenRules(table, session, groupId);
    // A worklist that no host of this version has opened has no rules; reading makes no table.
    if (status == DB_E_NOTABLE)
        return S_OK;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK; moved = table.MoveNext())
        rules.push_back(RuleOf(table));
    return status;
}

HRESULT QcRules::Write(const WorklistPlace& place, LONG groupId, const std::wstring& groupName,
                       const std::vector<QcRule>& rules)
{
    if (!std::ranges::all_of(rules, &QcRule::IsValid))
        return E_INVALIDARG;
    CSession session;
    HRESULT status = OpenWorklistSession(session, place, WorklistDataSourceProperties(place));
    if (FAILED(status))
        return status;
    EditTransaction transaction(session);
    status = transaction.Started();
    if (SUCCEEDED(status))
        status = MakeTable(session);
    AuditTrail trail(session, place);
    if (SUCCEEDED(status))
        status = trail.Opened();
    // The rules before are read inside the edit: another host may have changed them meanwhile.
    RuleTable table;
    if (SUCCEEDED(status))
        status = OpenRules(table, session, groupId);
    std::vector<QcRule> before;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK; moved = table.MoveNext())
        before.push_back(RuleOf(table));
    if (SUCCEEDED(status))
        status = Remove(session, groupId);
    const CDBPropSet rowset = ChangeableRowsetProperties();
    if (SUCCEEDED(status))
        status = table.Open(session, (L"SELECT * FROM " + std::wstring(kTable) + L" WHERE 0 = 1").c_str(), &rowset);
    for (std::size_t n = 0; n < rules.size() && SUCCEEDED(status); ++n) {
        const QcRule& rule = rules[n];
        table.ClearRecord();
        table.GroupID = groupId;
        table.RuleNo = static_cast<LONG>(n) + 1;
        table.CheckKind = static_cast<LONG>(rule.check);
        SetRecordText(table.Low, FormatWin(L"%.15g", rule.low));
        SetRecordText(table.High, FormatWin(L"%.15g", rule.high));
        table.Action = static_cast<LONG>(rule.action);
        table.ThenAction = static_cast<LONG>(rule.thenAction);
        SetRecordText(table.CalibrationGroup, rule.calibrationGroup);
        status = table.Insert();
    }
    if (SUCCEEDED(status))
        status = trail.Add(groupName, Changes(before, rules));
    return SUCCEEDED(status) ? transaction.Commit() : status;
}

HRESULT QcRules::Remove(const CSession& session, LONG groupId)
{
    RuleTable table;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    HRESULT status = OpenRules(table, session, groupId, &rowset);
    // After a delete there is no current row, and the next move reads the row that followed.
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK && SUCCEEDED(status);
         moved = table.MoveNext())
        status = table.Delete();
    return status == DB_E_NOTABLE ? S_OK : status;
}
