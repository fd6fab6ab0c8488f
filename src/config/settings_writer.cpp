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
std::pair<std::string, std::string> TagAndValue(const TOption& option) {
    if (auto* text = dynamic_cast<const TOptionString*>(&option)) {
        return {"String", EscapeAngles(text->Value)};
    }
    if (auto* integer = dynamic_cast<const TOptionInteger*>(&option)) {
        return {"Integer", std::to_string(integer->Value)};
    }
    if (auto* wide = dynamic_cast<const TOptionInt64*>(&option)) {
        return {"Int64", std::to_string(wide->Value)};
    }
    const auto& boolean = dynamic_cast<const TOptionBoolean&>(option);
    return {"Boolean", std::to_string(boolean.Value)};
}

void WriteOption(std::string& out, const TOption& option) {
    const std::string key = EscapeSpaces(option.Name);
    if (auto* form = dynamic_cast<const TOptionForm*>(&option)) {
        WriteLine(out, 1,
                  "<" + key + Attribute("type", "Window") +
                      Attribute("Left", std::to_string(form->Left)) +
                      Attribute("Top", std::to_string(form->Top)) +
                      Attribute("Right", std::to_string(form->Right)) +
                      Attribute("Bottom", std::to_string(form->Bottom)) +
                      Attribute("State", std::to_string(form->State)) + ">");
    } else {
        const auto [tag, value] = TagAndValue(option);
        WriteLine(out, 1, "<" + key + Attribute("type", tag) + ">");
        WriteLine(out, 2, value);
    }
    WriteLine(out, 1, "</" + key + ">");
}

}  // namespace

std::string TConfig::ToText() const {
    std::string out;
    for (const auto& group : Groups) {
        const std::string name = EscapeSpaces(group->Name);
        WriteLine(out, 0, "<" + name + ">");
        for (const auto& option : group->Options) WriteOption(out, *option);
        WriteLine(out, 0, "</" + name + ">");
    }
    return out;
}
