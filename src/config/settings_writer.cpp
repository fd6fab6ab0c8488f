#include <string>
#include <utility>

#include "config/settings_store.h"
#include "config/settings_text.h"

namespace {

// One space of indentation per nesting level; every line ends with CR LF.
void WriteLine(std::string& out, int level, const std::string& text) {
    out.append(level, ' ');
    out += text;
    out += "\r\n";
}

std::string Attribute(const std::string& name, const std::string& value) {
    return " " + name + "=\"" + value + "\"";
}

// The type tag and value line of the kinds that have a value line.
std::pair<std::string, std::string> TagAndValue(const Option& option) {
    if (auto* text = dynamic_cast<const StringOption*>(&option)) {
        return {"String", EscapeAngles(text->Value)};
    }
    if (auto* integer = dynamic_cast<const IntegerOption*>(&option)) {
        return {"Integer", std::to_string(integer->Value)};
    }
    if (auto* wide = dynamic_cast<const Int64Option*>(&option)) {
        return {"Int64", std::to_string(wide->Value)};
    }
    const auto& boolean = dynamic_cast<const BooleanOption&>(option);
    return {"Boolean", std::to_string(boolean.Value)};
}

void WriteOption(std::string& out, const Option& option) {
    const std::string key = EscapeSpaces(option.Name);
    if (auto* window = dynamic_cast<const WindowOption*>(&option)) {
        WriteLine(out, 1,
                  "<" + key + Attribute("type", "Window") +
                      Attribute("Left", std::to_string(window->Left)) +
                      Attribute("Top", std::to_string(window->Top)) +
                      Attribute("Right", std::to_string(window->Right)) +
                      Attribute("Bottom", std::to_string(window->Bottom)) +
                      Attribute("State", std::to_string(window->State)) + ">");
    } else {
        const auto [tag, value] = TagAndValue(option);
        WriteLine(out, 1, "<" + key + Attribute("type", tag) + ">");
        WriteLine(out, 2, value);
    }
    WriteLine(out, 1, "</" + key + ">");
}

}  // namespace

std::string Settings::ToText() const {
    std::string out;
    for (const auto& group : Groups) {
        const std::string name = EscapeSpaces(group->Name);
        WriteLine(out, 0, "<" + name + ">");
        for (const auto& option : group->Options) WriteOption(out, *option);
        WriteLine(out, 0, "</" + name + ">");
    }
    return out;
}
