// Making a snapshot's text once per version.
#include "SnapshotText.h"

std::shared_ptr<const std::string> SnapshotText::of(const MonitorSnapshot& snapshot)
{
    // Clients asking meanwhile wait for the one text rather than each making their own.
    const std::lock_guard lock(m_mutex);
    if (!m_text || m_version != snapshot.version) {
        m_text = std::make_shared<const std::string>(m_make(snapshot));
        m_version = snapshot.version;
    }
    return m_text;
}
