// A JSON object written as the module's files show it: its members in the order added, on one line
// as {"name": value, "name": value}, and an array of objects one to a line. The JSON library
// writes every name and value, so that each text is escaped as JSON requires.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class JsonObject {
public:
    JsonObject& addText(std::wstring_view name, std::wstring_view value);
    JsonObject& addNumber(std::wstring_view name, long long value);
    JsonObject& addBool(std::wstring_view name, bool value);
    JsonObject& addNull(std::wstring_view name);
    JsonObject& addDecimal(std::wstring_view name, double value);
    // The objects in an array on the object's own line.
    JsonObject& addObjects(std::wstring_view name, const std::vector<JsonObject>& objects);
    // The objects in an array, each on a line of its own after two blanks.
    JsonObject& addLines(std::wstring_view name, const std::vector<JsonObject>& objects);
    // The object's text in UTF-8.
    std::string Text() const;

private:
    JsonObject& add(std::wstring_view name, std::string value);

    // Each member's name and value as JSON text.
    std::vector<std::pair<std::string, std::string>> m_members;
};
