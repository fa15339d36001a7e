// Hotlink clients: subscriptions, pending changes and their delivery from the message loop.
#include "CWndCmdBspClient.h"

#include "RegisterStore.h"

namespace {

// An object change can be read once no writer holds the object's register.
bool readable(const CBspSubjectDesc& change)
{
    if (change.subjectClass() != BSP_SUBJ_OBJECT)
        return true;
    const Register* reg = RegisterStore::instance().find(change.objectName());
    return !reg || !reg->writeLocked();
}

} // namespace

CWndCmdBspClient::~CWndCmdBspClient()
{
    DisconnectBspDataHotlink();
}

SHORT CWndCmdBspClient::ConnectBspDataHotlink(const CBspSubjectDesc& subject)
{
    BspHub::SubscriptionId id = 0;
    const SHORT status =
        BspHub::instance().subscribe(subject, [this](const CBspSubjectDesc& change) { keep(change); }, &id);
    if (status == BSP_OK)
        m_subscriptions.push_back(id);
    return status;
}

SHORT CWndCmdBspClient::DisconnectBspDataHotlink()
{
    for (BspHub::SubscriptionId id : m_subscriptions)
        BspHub::instance().unsubscribe(id);
    m_subscriptions.clear();
    m_pending.clear();
    if (m_retrying && m_hWnd)
        ::KillTimer(m_hWnd, BSP_RETRY_TIMER);
    m_retrying = false;
    return BSP_OK;
}

void CWndCmdBspClient::keep(const CBspSubjectDesc& change)
{
    m_pending.push_back(change);
    while (m_pending.size() > static_cast<std::size_t>(m_nMaxPending))
        m_pending.pop_front();
    if (!m_posted && m_hWnd)
        m_posted = ::PostMessageW(m_hWnd, WM_BSP_PENDING, 0, 0) != FALSE;
}

void CWndCmdBspClient::UpdatePendingBspChanges()
{
    // Changes that arrive while the subclass is told wait for the next round, in order.
    std::deque<CBspSubjectDesc> waiting;
    waiting.swap(m_pending);
    while (!waiting.empty()) {
        const CBspSubjectDesc change = waiting.front();
        waiting.pop_front();
        if (!readable(change)) {
            m_pending.push_back(change);
            continue;
        }
        if (change.subjectClass() == BSP_SUBJ_OBJECT)
            OnBspHotlinkUpdate(change);
        else
            OnBspHotlinkChange(change);
        if (!m_hWnd) // the subclass destroyed the window
            return;
    }
    const bool blocked = !m_pending.empty();
    if (blocked && !m_retrying)
        m_retrying = ::SetTimer(m_hWnd, BSP_RETRY_TIMER, BSP_RETRY_MS, nullptr) != 0;
    else if (!blocked && m_retrying) {
        ::KillTimer(m_hWnd, BSP_RETRY_TIMER);
        m_retrying = false;
    }
}

BOOL CWndCmdBspClient::RetryRegLocking()
{
    UpdatePendingBspChanges();
    return m_pending.empty() ? TRUE : FALSE;
}

LRESULT CWndCmdBspClient::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_BSP_PENDING) {
        m_posted = false;
        UpdatePendingBspChanges();
        return 0;
    }
    if (message == WM_TIMER && wParam == BSP_RETRY_TIMER) {
        RetryRegLocking();
        return 0;
    }
    return CWndCpMifCmdClient::WindowProc(message, wParam, lParam);
}
