// Writing a JSON object's names and values through the JSON library.
#include "JsonObject.h"

#include "Text.h"

#include <nlohmann/json.hpp>

namespace {

// A text that is no valid UTF-8 is written with replacement characters, never refused.
std::string JsonText(const nlohmann::json& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

JsonObject& JsonObject::add(std::wstring_view name, std::string value)
{
    m_members.emplace_back(JsonText(WideToUtf8(name)), std::move(value));
    return *this;
}

JsonObject& JsonObject::addText(std::wstring_view name, std::wstring_view value)
{
    return add(name, JsonText(WideToUtf8(value)));
}

JsonObject& JsonObject::addNumber(std::wstring_view name, long long value) { return add(name, JsonText(value)); }

JsonObject& JsonObject::addBool(std::wstring_view name, bool value) { return add(name, JsonText(value)); }

JsonObject& JsonObject::addNull(std::wstring_view name) { return add(name, JsonText(nullptr)); }

JsonObject& JsonObject::addDecimal(std::wstring_view name, double value) { return add(name, JsonText(value)); }

JsonObject& JsonObject::addObjects(std::wstring_view name, const std::vector<JsonObject>& objects)
{
    std::string array = "[";
    for (const JsonObject& object : objects)
        array += (&object == &objects.front() ? "" : ", ") + object.Text();
    return add(name, array + "]");
}

JsonObject& JsonObject::addLines(std::wstring_view name, const std::vector<JsonObject>& objects)
{
    std::string lines = "[";
    for (const JsonObject& object : objects)
        lines += (&object == &objects.front() ? "\n  " : ",\n  ") + object.Text();
    return add(name, lines + "\n]");
}

std::string JsonObject::Text() const
{
    std::string text = "{";
    for (const auto& [name, value] : m_members)
        text += (text.size() > 1 ? ", " : "") + name + ": " + value;
    return text + "}";
}
