// The base of a hotlink window: its subscriptions at the hotlink hub, and the changes that reach
// it. A change is kept pending and the window posts itself a message, so the subclass hears of
// it from the message loop, never inside the call that made the change. An object change waits
// while its register is locked for writing, and is retried on a timer.
#pragma once

#include "BspHub.h"
#include "CWndCpMifCmdClient.h"

#include <deque>
#include <vector>

// Posted to the client's own window when changes are pending.
constexpr UINT WM_BSP_PENDING = WM_USER + 0x7F0;
// The timer that retries object changes whose register was locked.
constexpr UINT_PTR BSP_RETRY_TIMER = 0x7F0;
constexpr UINT BSP_RETRY_MS = 100;

class CWndCmdBspClient : public CWndCpMifCmdClient {
public:
    ~CWndCmdBspClient() override;

    // Subscribes the subject; its changes arrive through OnBspHotlinkChange (variables) and
    // OnBspHotlinkUpdate (objects). The hub's status: nonzero for a variable that does not exist.
    SHORT ConnectBspDataHotlink(const CBspSubjectDesc& subject);
    // Ends every subscription and forgets pending changes.
    SHORT DisconnectBspDataHotlink();

    // The host window the client belongs to.
    HWND m_hHostWnd = nullptr;

protected:
    // Hands the pending changes to the subclass, oldest first. When more than the registered
    // number are waiting, the oldest are dropped.
    virtual void UpdatePendingBspChanges();
    virtual void OnBspHotlinkChange(const CBspSubjectDesc& change) { (void)change; }
    virtual void OnBspHotlinkUpdate(const CBspSubjectDesc& change) { (void)change; }
    // Called by the retry timer: delivers the object changes whose registers can now be read.
    // TRUE when nothing is left waiting.
    virtual BOOL RetryRegLocking();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<BspHub::SubscriptionId> m_subscriptions;
    std::deque<CBspSubjectDesc> m_pending;
    bool m_posted = false;
    bool m_retrying = false;

    void keep(const CBspSubjectDesc& change);
};
