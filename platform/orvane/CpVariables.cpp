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

std::string CpVariables::key(std::string_view name)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper;
}

const CpVariables::Variable* CpVariables::find(std::string_view name) const
{
    const auto found = m_variables.find(key(name));
    return found == m_variables.end() ? nullptr : &found->second;
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
        m_variables.emplace(key(name), Variable{std::string(name), value});
    const std::string spelled(name);
    m_observers.notify([](const Observer&) { return true; }, [&](const Observer& observer) { observer(spelled); });
    return CP_OK;
}

bool CpVariables::remove(std::string_view name)
{
    return m_variables.erase(key(name)) > 0;
}

std::vector<std::string> CpVariables::names() const
{
    std::vector<std::string> result;
    for (const auto& [upper, variable] : m_variables)
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
