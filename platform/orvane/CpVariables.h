// The host's variables: numbers and wide texts by 8-bit name, matched without regard to case.
// Every change is announced to the observers, so that hotlinks and the host can follow it.
#pragma once

#include "CpValue.h"
#include "ObserverList.h"
#include "OrvaneTypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CpVariables {
public:
    // Called after a variable was created or its value changed, with the name as the setter
    // spelled it.
    using Observer = std::function<void(const std::string& name)>;
    using ObserverId = ObserverList<Observer>::Id;

    static CpVariables& instance();

    // A name is a letter or underscore, then letters, digits and underscores; a text variable's
    // name ends in '$', a number's does not.
    static bool isValidName(std::string_view name);
    static bool isTextName(std::string_view name);

    bool exists(std::string_view name) const;
    std::optional<CpValue> get(std::string_view name) const;
    // Creates the variable when it is missing. CP_ERR_BAD_NAME for an invalid name,
    // CP_ERR_WRONG_TYPE when the value's kind does not match the name. Observers hear of the
    // change only when the value differs from the one held.
    SHORT set(std::string_view name, const CpValue& value);
    bool remove(std::string_view name);
    // Every name as it was created, sorted without regard to case.
    std::vector<std::string> names() const;

    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

    // Forgets every variable (observers stay): a fresh host.
    void clear();

private:
    CpVariables() = default;
    struct Variable {
        std::string name;
        CpValue value;
    };
    // By the name in capitals, so that a lookup takes constant time whatever the case it is spelled in.
    std::unordered_map<std::string, Variable> m_variables;
    ObserverList<Observer> m_observers;

    static std::string key(std::string_view name);
    const Variable* find(std::string_view name) const;
};
