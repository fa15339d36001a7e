// A queue of groups run one after another.
#include "RunQueue.h"

void RunQueue::End()
{
    m_claims.clear();
    m_nId = 0;
}
