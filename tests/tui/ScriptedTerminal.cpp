// Scripted input for the front end's tests.
#include "ScriptedTerminal.h"

ScriptedTerminal::ScriptedTerminal(int width, int height)
    : m_width(width)
    , m_height(height)
{
}

void ScriptedTerminal::add(std::initializer_list<InputEvent> events)
{
    m_events.insert(m_events.end(), events);
}

std::optional<InputEvent> ScriptedTerminal::read(int)
{
    if (m_events.empty())
        return std::nullopt;
    const InputEvent event = m_events.front();
    m_events.pop_front();
    return event;
}
