// The row algorithms of a group's method table.
#include "MethodRows.h"

#include "RecordText.h"

#include "module/ModuleSettings.h"
#include "module/ModuleString.h"
#include "module/TraceLog.h"

#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

HRESULT MethodRows::LoadGroup(const std::wstring& group)
{
    ClearGroup();
    auto table = std::make_unique<CMethodTable>();
    const HRESULT status = table->Open(group);
    if (SUCCEEDED(status)) {
        m_pTable = std::move(table);
        m_strGroup = group;
    }
    return status;
}

void MethodRows::ClearGroup()
{
    m_pTable.reset();
    m_strGroup.clear();
}

template <class Write>
void MethodRows::writeEveryRow(Write write)
{
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        write(static_cast<MethodRecord&>(*m_pTable));
        m_pTable->SetData();
    }
}

void MethodRows::InsertMethods(const std::vector<std::wstring>& names, LONG copies, const std::wstring& methodPath,
                               LONG place)
{
    if (!m_pTable)
        return;
    const LONG added = static_cast<LONG>(names.size()) * copies;
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID >= place) {
            m_pTable->aaaID += added;
            m_pTable->SetData();
        }
    }
    for (const std::wstring& name : names) {
        for (LONG copy = 0; copy < copies; ++copy) {
            m_pTable->ClearRecord();
            SetRecordText(m_pTable->MethodName, name);
            SetRecordText(m_pTable->DataFile, ModuleString(22003));
            SetRecordText(m_pTable->SysMethPath, methodPath);
            SetRecordText(m_pTable->Operator, ModuleSettings.strUserName);
            m_pTable->RunState = RUNSTATE_CHECKED;
            m_pTable->aaaID = place++;
            m_pTable->Insert();
        }
    }
    const std::wstring group = m_strGroup;
    LoadGroup(group);
    AutoName(L"", group, 0, nullptr);
}

void MethodRows::DeleteSelected(const std::set<LONG>& selected)
{
    if (!m_pTable)
        return;
    // After a delete there is no current row, and the next move reads the row that followed.
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (selected.contains(m_pTable->aaaID))
            m_pTable->Delete();
    }
    const std::wstring group = m_strGroup;
    if (SUCCEEDED(LoadGroup(group))) {
        LONG number = 0;
        writeEveryRow([&number](MethodRecord& row) { row.aaaID = number++; });
        LoadGroup(group);
    }
    AutoName(L"", group, 0, nullptr);
}

void MethodRows::AutoName(const wchar_t* subFolder, const std::wstring& prefix, LONG counter,
                          const wchar_t* operatorName)
{
    if (m_pTable) {
        writeEveryRow([&](MethodRecord& row) {
            SetRecordText(row.DataFile, FormatWin(L"%s%010d.d", prefix.c_str(), counter + row.aaaID));
            if (subFolder)
                SetRecordText(row.SubFolder, subFolder);
            SetRecordText(row.Prefix, prefix);
            if (operatorName)
                SetRecordText(row.Operator, operatorName);
            row.Counter = counter;
        });
    }
    Refill();
}

void MethodRows::SetAllRunStates(BOOL check)
{
    if (m_pTable) {
        LONG current = m_pTable->aaaID;
        writeEveryRow([check](MethodRecord& row) { row.RunState = check ? RUNSTATE_CHECKED : RUNSTATE_UNCHECKED; });
        FindRow(current, FALSE);
    }
    Refill();
}

void MethodRows::CleanRunState()
{
    TraceLog(3, L"CleanRunState");
    if (m_pTable) {
        LONG current = m_pTable->aaaID;
        writeEveryRow([](MethodRecord& row) {
            if (row.RunState != RUNSTATE_UNCHECKED)
                row.RunState = RUNSTATE_CHECKED;
            row.StartTime = 0;
            row.EndTime = 0;
            SetRecordText(row.ErrMessage, L"");
        });
        FindRow(current, FALSE);
    }
    Refill();
}

void MethodRows::ChangeRunState(MethodRecord* row, LONG state, const wchar_t* message)
{
    TraceLog(3, L"ChangeRunState: %d, %s\n", state, message ? message : L"(null)");
    if (!m_pTable || !row)
        return;
    const auto now = static_cast<LONG>(_time64(nullptr));
    if (state == RUNSTATE_RUNNING)
        row->StartTime = now;
    if (state == RUNSTATE_DONE || state == RUNSTATE_FAILED)
        row->EndTime = now;
    if (message)
        SetRecordText(row->ErrMessage, message);
    row->RunState = state;
    m_pTable->SetData();
    UpdateRowState(row->aaaID, state, message);
}

MethodRecord* MethodRows::FindRow(LONG& id, BOOL skipUnchecked)
{
    if (!m_pTable)
        return nullptr;
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID != id)
            continue;
        if (!skipUnchecked || m_pTable->RunState != RUNSTATE_UNCHECKED)
            return m_pTable.get();
        ++id;
    }
    return nullptr;
}

MethodRecord* MethodRows::FindRowById(LONG id, BOOL refuseUnchecked)
{
    if (!m_pTable)
        return nullptr;
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID == id)
            return refuseUnchecked && m_pTable->RunState == RUNSTATE_UNCHECKED ? nullptr : m_pTable.get();
    }
    return nullptr;
}
