// The main viewer's hidden hotlink window: it subscribes to the host variables that report a
// run's progress and to the host object "GUI", and posts one message per change to the viewer.
#pragma once

#include "orvane/CWndCmdBspClient.h"

#include <list>
#include <string>

// lParam: the subscribed name as stored in the hotlink window (a zero-terminated wide text that
// lives as long as the window); the receiver reads the variable's value itself.
constexpr UINT WM_HOTLINK_VARIABLE = WM_USER + 0x100;
// wParam: the object's code as the change reports it; lParam: the stored object name.
constexpr UINT WM_HOTLINK_OBJECT = WM_USER + 0x101;

class CBspDataHotlink : public CWndCmdBspClient {
public:
    // Subscribes the run's variables and the "GUI" object; the single results are not examined.
    int ConnectAll();
    // 0 when subscribed. A variable the host does not know is reported in a message box; the
    // name is kept in the list whatever happens.
    SHORT ConnectCpVar(LPCWSTR lpszName);
    SHORT ConnectObject(LPCWSTR lpszName, WORD wCode);

    // Ends the subscriptions before the window goes.
    BOOL DestroyWindow() override;

    // The window that receives the change messages.
    HWND m_hWndNotify = nullptr;

protected:
    void OnBspHotlinkChange(const CBspSubjectDesc& change) override;
    void OnBspHotlinkUpdate(const CBspSubjectDesc& change) override;
    virtual void DeliverBspChange(const CBspSubjectDesc& change, BOOL bChange);

private:
    // Every name subscribed, in order and as passed: the texts the messages point to.
    std::list<std::wstring> m_listSubjects;

    const std::wstring* FindSubject(const std::wstring& name) const;
};
