// Message maps: each class's static table from window messages, commands and notifications to its
// member functions, chained to its base class's table and written with the MFC macros.
#pragma once

#include "win/WinUser.h"

class CCmdTarget;

// WM_CTLCOLOR stands for the seven WM_CTLCOLOR* messages in a message map, as it did in 16-bit Windows.
constexpr UINT WM_CTLCOLOR = 0x0019;
// The kind of control an OnCtlColor handler colours: its WM_CTLCOLOR* message less WM_CTLCOLORMSGBOX.
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;
// A notification reflected by the parent to the control that sent it: WM_NOTIFY + WM_REFLECT_BASE.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// The notification code of a menu or accelerator command, the same as BN_CLICKED.
constexpr UINT CN_COMMAND = 0;

// One call of a message-map entry: what the message carries and where its result goes.
struct AFX_MSGCALL {
    UINT nID;          // command, control or timer id; for WM_CTLCOLOR the CTLCOLOR_* kind
    WPARAM wParam;
    LPARAM lParam;     // for WM_NOTIFY the NMHDR
    LRESULT* pResult;  // the message's result; never null
};

// Calls the entry's member function with the parameters its signature takes; FALSE when an _EX
// handler declines the message.
using AFX_PMSG = BOOL (*)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // the window message, WM_COMMAND or WM_NOTIFY; 0 ends the table
    UINT nCode;     // the 16-bit notification code of WM_COMMAND and WM_NOTIFY entries
    UINT nID;       // the first command or control id of the range
    UINT nLastID;   // the last id of the range
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a WM_NOTIFY carries on its way through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr} \
        }; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// The handler, checked against the signature the entry calls it with. Handlers are named as
// &CMyDialog::OnSomething.
#define AFX_MSG_CALL_HANDLER(signature, memberFxn) \
    (static_cast<ThisClass*>(pTarget)->*static_cast<signature>(memberFxn))

#define AFX_COMMAND_ENTRY(message, code, id, idLast, body) \
    {message, static_cast<WORD>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     [](CCmdTarget* pTarget, [[maybe_unused]] AFX_MSGCALL& call) -> BOOL { body }},

// Commands and control notifications (WM_COMMAND): void OnSomething().
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, wNotifyCode, id, id, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(), memberFxn)(); return TRUE;)
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)

// A range of commands: void OnSomething(UINT nID).
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(UINT), memberFxn)(call.nID); return TRUE;)

// Notifications (WM_NOTIFY): void OnSomething(NMHDR*, LRESULT*), and the range form whose handler
// says whether it handled the notification: BOOL OnSomething(UINT nID, NMHDR*, LRESULT*).
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_COMMAND_ENTRY(WM_NOTIFY, wNotifyCode, id, id, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)( \
            reinterpret_cast<NMHDR*>(call.lParam), call.pResult); \
        return TRUE;)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_COMMAND_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, \
        return AFX_MSG_CALL_HANDLER(BOOL (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)( \
            call.nID, reinterpret_cast<NMHDR*>(call.lParam), call.pResult);)

// A control's own notifications, reflected to it by its parent: void OnSomething(NMHDR*, LRESULT*)
// takes the notification away from the parent; the _EX form's BOOL says whether it did.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)( \
            reinterpret_cast<NMHDR*>(call.lParam), call.pResult); \
        return TRUE;)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, \
        return AFX_MSG_CALL_HANDLER(BOOL (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)( \
            reinterpret_cast<NMHDR*>(call.lParam), call.pResult);)

// Window messages.
#define AFX_MESSAGE_ENTRY(message, body) AFX_COMMAND_ENTRY(message, 0, 0, 0, body)
// Any message, typically a private one (WM_USER + n): LRESULT OnSomething(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    AFX_MESSAGE_ENTRY(message, \
        *call.pResult = AFX_MSG_CALL_HANDLER(LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn)( \
            call.wParam, call.lParam); \
        return TRUE;)
#define ON_WM_CTLCOLOR() \
    AFX_MESSAGE_ENTRY(WM_CTLCOLOR, \
        CDC dc(reinterpret_cast<HDC>(call.wParam)); \
        HBRUSH brush = AFX_MSG_CALL_HANDLER(HBRUSH (ThisClass::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)( \
            &dc, CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), call.nID); \
        *call.pResult = reinterpret_cast<LRESULT>(brush); \
        return TRUE;)
#define ON_WM_DESTROY() \
    AFX_MESSAGE_ENTRY(WM_DESTROY, AFX_MSG_CALL_HANDLER(void (ThisClass::*)(), &ThisClass::OnDestroy)(); return TRUE;)
#define ON_WM_CLOSE() \
    AFX_MESSAGE_ENTRY(WM_CLOSE, AFX_MSG_CALL_HANDLER(void (ThisClass::*)(), &ThisClass::OnClose)(); return TRUE;)
#define ON_WM_HELPINFO() \
    AFX_MESSAGE_ENTRY(WM_HELP, \
        *call.pResult = AFX_MSG_CALL_HANDLER(BOOL (ThisClass::*)(HELPINFO*), &ThisClass::OnHelpInfo)( \
            reinterpret_cast<HELPINFO*>(call.lParam)); \
        return TRUE;)
#define ON_WM_TIMER() \
    AFX_MESSAGE_ENTRY(WM_TIMER, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(UINT_PTR), &ThisClass::OnTimer)(call.wParam); return TRUE;)
#define ON_WM_SYSCOMMAND() \
    AFX_MESSAGE_ENTRY(WM_SYSCOMMAND, \
        AFX_MSG_CALL_HANDLER(void (ThisClass::*)(UINT, LPARAM), &ThisClass::OnSysCommand)( \
            static_cast<UINT>(call.wParam), call.lParam); \
        return TRUE;)
