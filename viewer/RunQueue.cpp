// A queue of groups run one after another.
#include "RunQueue.h"

#include "RunHost.h"

BOOL RunQueue::Claim(LONG nGroupId)
{
    if (!m_host.Claim(nGroupId))
        return FALSE;
    m_claims.insert(nGroupId);
    return TRUE;
}

void RunQueue::Renew()
{
    for (LONG nGroupId : m_claims)
        m_host.RenewClaim(nGroupId);
}

void RunQueue::HandOver(LONG nGroupId)
{
    if (m_claims.erase(nGroupId))
        m_host.Unclaim(nGroupId);
}

void RunQueue::End()
{
    for (LONG nGroupId : m_claims)
        m_host.Unclaim(nGroupId);
    m_claims.clear();
    m_nId = 0;
}
