#include "config/settings_store.h"

#include <algorithm>
#include <utility>

#include "config/settings_text.h"
#include "config/user_folder.h"

namespace {

using OptionList = std::vector<std::unique_ptr<Option>>;

OptionList::const_iterator FindByName(const OptionList& options, const std::string& key) {
    return std::find_if(
        options.begin(), options.end(),
        [&key](const std::unique_ptr<Option>& option) { return option->Name == key; });
}

template <class Kind, class... Args>
Kind& Append(OptionList& options, const std::string& key, Args&&... args) {
    options.push_back(std::make_unique<Kind>(key, std::forward<Args>(args)...));
    return static_cast<Kind&>(*options.back());
}

template <class Kind, class Value>
void Ensure(OptionList& options, const std::string& key, Value value) {
    if (FindByName(options, key) == options.end()) Append<Kind>(options, key, std::move(value));
}

template <class Kind, class Value>
void Set(OptionList& options, const std::string& key, Value value) {
    auto found = FindByName(options, key);
    if (found != options.end()) {
        if (auto* same = dynamic_cast<Kind*>(found->get())) {
            same->Value = std::move(value);
            return;
        }
        options.erase(found);
    }
    Append<Kind>(options, key, std::move(value));
}

}  // namespace

Option* SettingsGroup::FindOption(const std::string& key) const {
    auto found = FindByName(Options, key);
    return found == Options.end() ? nullptr : found->get();
}

void SettingsGroup::DeleteOption(const std::string& key) {
    auto found = FindByName(Options, key);
    if (found != Options.end()) Options.erase(found);
}

void SettingsGroup::Clear() {
    Options.clear();
}

StringOption& SettingsGroup::AddString(const std::string& key, const std::string& value) {
    return Append<StringOption>(Options, key, value);
}

IntegerOption& SettingsGroup::AddInteger(const std::string& key, int32_t value) {
    return Append<IntegerOption>(Options, key, value);
}

Int64Option& SettingsGroup::AddInt64(const std::string& key, int64_t value) {
    return Append<Int64Option>(Options, key, value);
}

BooleanOption& SettingsGroup::AddBoolean(const std::string& key, uint8_t value) {
    return Append<BooleanOption>(Options, key, value);
}

WindowOption& SettingsGroup::AddWindow(const std::string& key, uint8_t state, const Rect& rect) {
    return Append<WindowOption>(Options, key, state, rect);
}

void SettingsGroup::EnsureString(const std::string& key, const std::string& value) {
    Ensure<StringOption>(Options, key, value);
}

void SettingsGroup::EnsureInteger(const std::string& key, int32_t value) {
    Ensure<IntegerOption>(Options, key, value);
}

void SettingsGroup::EnsureInt64(const std::string& key, int64_t value) {
    Ensure<Int64Option>(Options, key, value);
}

void SettingsGroup::EnsureBoolean(const std::string& key, uint8_t value) {
    Ensure<BooleanOption>(Options, key, value);
}

void SettingsGroup::SetString(const std::string& key, const std::string& value) {
    Set<StringOption>(Options, key, value);
}

void SettingsGroup::SetInteger(const std::string& key, int32_t value) {
    Set<IntegerOption>(Options, key, value);
}

void SettingsGroup::SetBoolean(const std::string& key, bool value) {
    Set<BooleanOption>(Options, key, static_cast<uint8_t>(value ? 1 : 0));
}

void SettingsGroup::SetWindow(const std::string& key, uint8_t state, const Rect& rect) {
    Options.erase(std::remove_if(Options.begin(), Options.end(),
                                 [&key](const std::unique_ptr<Option>& option) {
                                     return option->Name == key;
                                 }),
                  Options.end());
    AddWindow(key, state, rect);
}

std::string NormalizeGroupName(const std::string& name) {
    std::string trimmed = Trim(name);
    return trimmed.empty() ? "Default" : trimmed;
}

Settings::Settings(std::string fileName, const std::string& folder)
    : FileName(std::move(fileName)), Folder(WithTrailingBackslash(folder)) {}

void Settings::Clear() {
    Groups.clear();
}

void Settings::SetFolder(const std::string& folder) {
    Folder = WithTrailingBackslash(folder);
}

SettingsGroup& Settings::AddGroup(const std::string& name) {
    Groups.push_back(std::make_unique<SettingsGroup>(NormalizeGroupName(name)));
    return *Groups.back();
}

SettingsGroup* Settings::FindGroup(const std::string& name) const {
    const std::string normalized = NormalizeGroupName(name);
    for (const auto& group : Groups) {
        if (group->Name == normalized) return group.get();
    }
    return nullptr;
}

SettingsGroup& Settings::GetGroup(const std::string& name) {
    SettingsGroup* found = FindGroup(name);
    return found ? *found : AddGroup(name);
}

Option* Settings::FindOption(const std::string& group, const std::string& key) const {
    SettingsGroup* found = FindGroup(group);
    return found ? found->FindOption(key) : nullptr;
}

bool Settings::OptionExists(const std::string& group, const std::string& key) const {
    return FindOption(group, key) != nullptr;
}

void Settings::DeleteOption(const std::string& group, const std::string& key) {
    GetGroup(group).DeleteOption(key);
}

void Settings::EnsureString(const std::string& group, const std::string& key,
                            const std::string& value) {
    GetGroup(group).EnsureString(key, value);
}

void Settings::EnsureInteger(const std::string& group, const std::string& key, int32_t value) {
    GetGroup(group).EnsureInteger(key, value);
}

void Settings::EnsureInt64(const std::string& group, const std::string& key, int64_t value) {
    GetGroup(group).EnsureInt64(key, value);
}

void Settings::EnsureBoolean(const std::string& group, const std::string& key, uint8_t value) {
    GetGroup(group).EnsureBoolean(key, value);
}

void Settings::SetString(const std::string& group, const std::string& key,
                         const std::string& value) {
    GetGroup(group).SetString(key, value);
}

void Settings::SetInteger(const std::string& group, const std::string& key, int32_t value) {
    GetGroup(group).SetInteger(key, value);
}

void Settings::SetBoolean(const std::string& group, const std::string& key, bool value) {
    GetGroup(group).SetBoolean(key, value);
}

void Settings::SetWindow(const std::string& group, const std::string& key, uint8_t state,
                         const Rect& rect) {
    GetGroup(group).SetWindow(key, state, rect);
}

std::string Settings::GetString(const std::string& group, const std::string& key,
                                const std::string& def) const {
    auto* option = dynamic_cast<StringOption*>(FindOption(group, key));
    return option ? option->Value : def;
}

int32_t Settings::GetInteger(const std::string& group, const std::string& key, int32_t def) const {
    Option* option = FindOption(group, key);
    if (auto* integer = dynamic_cast<IntegerOption*>(option)) return integer->Value;
    if (auto* wide = dynamic_cast<Int64Option*>(option)) {
        return static_cast<int32_t>(static_cast<uint32_t>(wide->Value));
    }
    return def;
}

bool Settings::GetBoolean(const std::string& group, const std::string& key, bool def) const {
    auto* option = dynamic_cast<BooleanOption*>(FindOption(group, key));
    return option ? option->Value != 0 : def;
}
