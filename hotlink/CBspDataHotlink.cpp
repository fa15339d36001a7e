// Subscriptions of the hotlink window and the messages it posts for each change.
#include "CBspDataHotlink.h"

#include "kernel/Text.h"
#include "kernel/WinFormat.h"
#include "win/afx/AfxMessageBox.h"

#include <algorithm>

namespace {

// The variables whose changes carry a run's progress, in subscription order.
constexpr LPCWSTR kRunVariables[] = {L"_METHODON", L"_FIAON",   L"ACQSTATUS$", L"GUISYSTEMSTATUS$",
                                      L"_METHPATH$", L"_DATAPATH$", L"_ERRCMD$",  L"_ERRFILE$",
                                      L"_ERRLINE",  L"_ERRMSG$",  L"_ERROR",     L"METHENDSTATUS"};

// The host announces its module messages on this object with this code.
constexpr LPCWSTR kMessageObject = L"GUI";
constexpr WORD kMessageObjectCode = 1;

} // namespace

BOOL CBspDataHotlink::DestroyWindow()
{
    DisconnectBspDataHotlink();
    return CWndCmdBspClient::DestroyWindow();
}

int CBspDataHotlink::ConnectAll()
{
    for (LPCWSTR name : kRunVariables)
        ConnectCpVar(name);
    ConnectObject(kMessageObject, kMessageObjectCode);
    return 0;
}

SHORT CBspDataHotlink::ConnectCpVar(LPCWSTR lpszName)
{
    CBspSubjectDesc subject(255);
    const std::string name = lpszName ? WideToUtf8(lpszName) : std::string();
    SHORT status = subject.CreateCpVarSubj(lpszName ? name.c_str() : nullptr, m_hCpContext);
    if (status == 0) {
        status = ConnectBspDataHotlink(subject);
        if (status != 0)
            AfxMessageBox(FormatWin(L"GuiCore: BSP connection to non existing CP var <%s> is an error", lpszName),
                          MB_ICONERROR | MB_OK);
    }
    m_listSubjects.emplace_back(lpszName ? lpszName : L"");
    return status;
}

SHORT CBspDataHotlink::ConnectObject(LPCWSTR lpszName, WORD wCode)
{
    CBspSubjectDesc subject(255);
    SHORT status = subject.CreateObjBspSubj(lpszName, wCode);
    if (status == 0)
        status = ConnectBspDataHotlink(subject);
    m_listSubjects.emplace_back(lpszName ? lpszName : L"");
    return status;
}

void CBspDataHotlink::OnBspHotlinkChange(const CBspSubjectDesc& change) { DeliverBspChange(change, TRUE); }

void CBspDataHotlink::OnBspHotlinkUpdate(const CBspSubjectDesc& change) { DeliverBspChange(change, FALSE); }

void CBspDataHotlink::DeliverBspChange(const CBspSubjectDesc& change, BOOL)
{
    int subjectClass = 0;
    int changeType = 0;
    std::wstring objectName;
    WORD objectCode = 0;
    std::wstring unused;
    std::wstring variableName;
    if (change.AnalyseSubjectDesc(&subjectClass, &changeType, &objectName, &objectCode, &unused, &variableName) != 0 ||
        changeType != BSP_CHANGE_MODIFIED)
        return;
    // The host reports a variable as its setter spelled it; the list holds the subscribed spelling.
    if (const std::wstring* stored = FindSubject(ToUpperWide(variableName)))
        ::PostMessageW(m_hWndNotify, WM_HOTLINK_VARIABLE, 0, reinterpret_cast<LPARAM>(stored->c_str()));
    if (const std::wstring* stored = FindSubject(objectName))
        ::PostMessageW(m_hWndNotify, WM_HOTLINK_OBJECT, objectCode, reinterpret_cast<LPARAM>(stored->c_str()));
}

const std::wstring* CBspDataHotlink::FindSubject(const std::wstring& name) const
{
    if (name.empty())
        return nullptr;
    const auto found = std::find(m_listSubjects.begin(), m_listSubjects.end(), name);
    return found == m_listSubjects.end() ? nullptr : &*found;
}
