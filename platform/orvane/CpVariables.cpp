// The host's variables and the announcement of their changes.
#include "CpVariables.h"

#include "kernel/Text.h"

#include <algorithm>
#include <cctype>

CpVariables& CpVariables::instance()
{
    static CpVariables variables;
    return variables;
}

bool CpVariables::isValidName(std::string_view name)
{
    if (isTextName(name))
        name.remove_suffix(1);
    if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_'))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool CpVariables::isTextName(std::string_view name)
{
    return !name.empty() && name.back() == '$';
}

const CpVariables::Variable* CpVariables::find(std::string_view name) const
{
    for (const Variable& variable : m_variables)
        if (EqualsNoCase(variable.name, name))
            return &variable;
    return nullptr;
}

bool CpVariables::exists(std::string_view name) const
{
    return find(name) != nullptr;
}

std::optional<CpValue> CpVariables::get(std::string_view name) const
{
    const Variable* variable = find(name);
    if (!variable)
        return std::nullopt;
    return variable->value;
}

SHORT CpVariables::set(std::string_view name, const CpValue& value)
{
    if (!isValidName(name))
        return CP_ERR_BAD_NAME;
    if (isTextName(name) != value.isText())
        return CP_ERR_WRONG_TYPE;
    auto* variable = const_cast<Variable*>(find(name));
    if (variable && variable->value == value)
        return CP_OK;
    if (variable)
        variable->value = value;
    else
        m_variables.push_back({std::string(name), value});
    const std::string spelled(name);
    m_observers.notify([](const Observer&) { return true; }, [&](const Observer& observer) { observer(spelled); });
    return CP_OK;
}

bool CpVariables::remove(std::string_view name)
{
    const auto found = std::find_if(m_variables.begin(), m_variables.end(),
                                     [&](const Variable& variable) { return EqualsNoCase(variable.name, name); });
    if (found == m_variables.end())
        return false;
    m_variables.erase(found);
    return true;
}

std::vector<std::string> CpVariables::names() const
{
    std::vector<std::string> result;
    for (const Variable& variable : m_variables)
        result.push_back(variable.name);
    std::sort(result.begin(), result.end(), [](const std::string& a, const std::string& b) {
        return ToUpperWide(Utf8ToWide(a)) < ToUpperWide(Utf8ToWide(b));
    });
    return result;
}

CpVariables::ObserverId CpVariables::addObserver(Observer observer)
{
    return m_observers.add(std::move(observer));
}

void CpVariables::removeObserver(ObserverId id)
{
    m_observers.remove(id);
}

void CpVariables::clear()
{
    m_variables.clear();
}
