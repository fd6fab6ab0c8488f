#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "config/settings_store.h"
#include "config/settings_text.h"

namespace {

// Only these count as blanks between elements; a TAB is not one of them.
bool IsBlank(char c) {
    return c == 0 || c == 7 || c == 10 || c == 13 || c == 32;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

size_t FindIgnoringCase(const std::string& text, const std::string& what) {
    std::string lowerText = text;
    std::string lowerWhat = what;
    for (char& c : lowerText) c = Lower(c);
    for (char& c : lowerWhat) c = Lower(c);
    return lowerText.find(lowerWhat);
}

// Plain decimal with an optional sign. A number too big for 64 bits does not parse.
std::optional<int64_t> ParseInt64(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return {};
    }
    int64_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return {};
    return value;
}

// A number outside the 32-bit range does not parse, rather than wrapping into
// some unrelated setting value.
std::optional<int32_t> ParseInt32(const std::string& text) {
    std::optional<int64_t> value = ParseInt64(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max()) {
        return {};
    }
    return static_cast<int32_t>(*value);
}

bool IsClosingTag(const std::string& tag) {
    return tag.size() >= 4 && tag[1] == '/';
}

// The name inside "</name>", or empty text when the tag is no closing tag.
std::string ClosingName(const std::string& tag) {
    const std::string trimmed = Trim(tag);
    if (!IsClosingTag(trimmed)) return {};
    return Trim(trimmed.substr(2, trimmed.size() - 3));
}

// The text between the tag's first character and its first space (or its
// first ">" when there is no space), trimmed.
std::string TagName(const std::string& tag) {
    size_t end = tag.find(' ');
    if (end == std::string::npos) end = tag.find('>');
    return end == 0 ? std::string() : Trim(tag.substr(1, end - 1));
}

// The trimmed text in quotes after the first `name=`, matched ignoring case
// anywhere in the tag; empty text when anything is missing.
std::string AttributeValue(const std::string& name, const std::string& tag) {
    size_t at = FindIgnoringCase(tag, name);
    if (at == std::string::npos) return {};
    at += name.size();
    while (at < tag.size() && IsBlank(tag[at])) ++at;
    if (at >= tag.size() || tag[at] != '=') return {};
    ++at;
    while (at < tag.size() && IsBlank(tag[at])) ++at;
    if (at >= tag.size() || tag[at] != '"') return {};
    ++at;
    const size_t quote = tag.find('"', at);
    if (quote == std::string::npos) return {};
    return Trim(tag.substr(at, quote - at));
}

// Finds the first group of a name and the keys a group holds without walking
// the store, so that a huge file of distinct names loads in linear time.
class LoadIndex {
public:
    explicit LoadIndex(const std::vector<std::unique_ptr<SettingsGroup>>& groups) {
        for (const auto& group : groups) Note(*group);
    }

    // Remembers the group unless an earlier one has its name. Groups are never
    // renamed or removed while loading, so their names can be the keys.
    void Note(SettingsGroup& group) { FirstGroup.try_emplace(group.Name, &group); }

    // The first group of the (normalised) name.
    SettingsGroup& Group(Settings& config, const std::string& name) {
        auto found = FirstGroup.find(NormalizeGroupName(name));
        if (found != FirstGroup.end()) return *found->second;
        SettingsGroup& group = config.GetGroup(name);
        Note(group);
        return group;
    }

    std::unordered_set<std::string>& Keys(const SettingsGroup& group) {
        auto [entry, added] = GroupKeys.try_emplace(&group);
        if (added) {
            for (const auto& option : group.Options) entry->second.insert(option->Name);
        }
        return entry->second;
    }

private:
    std::unordered_map<std::string_view, SettingsGroup*> FirstGroup;
    std::unordered_map<const SettingsGroup*, std::unordered_set<std::string>> GroupKeys;
};

// A cursor over the file text that feeds the groups and options it finds into the store.
class SettingsReader {
public:
    SettingsReader(Settings& config, const std::string& text, LoadIndex& index)
        : Config(config), Text(text), Index(index) {}

    // False when a group element failed, leaving what was read before it.
    bool ReadGroups() {
        for (;;) {
            SkipBlanks();
            if (Cursor >= Text.size()) return true;
            if (!ReadGroup()) return false;
        }
    }

private:
    void SkipBlanks() {
        while (Cursor < Text.size() && IsBlank(Text[Cursor])) ++Cursor;
    }

    std::string ReadUntil(char c, bool inclusive) {
        const size_t found = Text.find(c, Cursor);
        if (found == std::string::npos) return {};
        const size_t end = inclusive ? found + 1 : found;
        std::string part = Text.substr(Cursor, end - Cursor);
        Cursor = end;
        return part;
    }

    bool ReadGroup() {
        SkipBlanks();
        ReadUntil('<', false);
        const std::string tag = Trim(ReadUntil('>', true));
        if (tag.empty()) return false;
        std::string name = TagName(tag);
        if (name.empty()) return false;
        name = UnescapeSpaces(name);
        Index.Note(Config.AddGroup(name));
        while (ReadOption(name)) continue;
        return UnescapeSpaces(ClosingName(ReadUntil('>', true))) == name;
    }

    // False at the end of the group's options.
    bool ReadOption(const std::string& group) {
        SkipBlanks();
        ReadUntil('<', false);
        const size_t tagStart = Cursor;
        const std::string tag = Trim(ReadUntil('>', true));
        if (tag.empty()) return false;
        if (IsClosingTag(tag)) {
            // Leave the group's closing tag for the group to read.
            Cursor = tagStart;
            return false;
        }
        const size_t space = tag.find(' ');
        if (space == std::string::npos) return false;
        const std::string key = Trim(tag.substr(1, space - 1));
        const std::string type = AttributeValue("type", tag);
        const std::string value = Trim(ReadUntil('<', false));
        if (ClosingName(ReadUntil('>', true)) != key) return false;
        if (!key.empty() && !type.empty()) Store(group, UnescapeSpaces(key), type, value, tag);
        return true;
    }

    // Ensure, not set: the first element of a key wins. Windows are set, so the last wins.
    void Store(const std::string& groupName, const std::string& key, const std::string& type,
               const std::string& value, const std::string& tag) {
        SettingsGroup& group = Index.Group(Config, groupName);
        std::unordered_set<std::string>& keys = Index.Keys(group);
        const bool taken = keys.count(key) != 0;
        if (SameIgnoringCase(type, "Window")) {
            Rect rect;
            rect.Left = ParseInt32(AttributeValue("Left", tag)).value_or(0);
            rect.Top = ParseInt32(AttributeValue("Top", tag)).value_or(0);
            rect.Right = ParseInt32(AttributeValue("Right", tag)).value_or(0);
            rect.Bottom = ParseInt32(AttributeValue("Bottom", tag)).value_or(0);
            const auto state =
                static_cast<uint8_t>(ParseInt32(AttributeValue("State", tag)).value_or(0));
            // Only a taken key has older options to remove.
            if (taken) {
                group.SetWindow(key, state, rect);
            } else {
                group.AddWindow(key, state, rect);
            }
            keys.insert(key);
            return;
        }
        if (taken) return;
        if (SameIgnoringCase(type, "String")) {
            group.AddString(key, UnescapeAngles(value));
        } else if (SameIgnoringCase(type, "Integer")) {
            if (value.empty()) return;
            group.AddInteger(key, ParseInt32(value).value_or(0));
        } else if (SameIgnoringCase(type, "Int64")) {
            if (value.empty()) return;
            group.AddInt64(key, ParseInt64(value).value_or(0));
        } else if (SameIgnoringCase(type, "Boolean")) {
            if (value.empty()) return;
            group.AddBoolean(key, static_cast<uint8_t>(ParseInt32(value).value_or(1)));
        } else {
            return;
        }
        keys.insert(key);
    }

    Settings& Config;
    const std::string& Text;
    LoadIndex& Index;
    size_t Cursor = 0;
};

}  // namespace

bool Settings::ReadText(const std::string& text) {
    LoadIndex index(Groups);
    return SettingsReader(*this, text, index).ReadGroups();
}
