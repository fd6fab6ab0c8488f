#include "config/settings_store.h"

#include <algorithm>
#include <utility>

#include "config/settings_text.h"
#include "config/user_folder.h"

namespace {

using OptionList = std::vector<std::unique_ptr<TOption>>;

OptionList::const_iterator FindByName(const OptionList& options, const std::string& key) {
    return std::find_if(
        options.begin(), options.end(),
        [&key](const std::unique_ptr<TOption>& option) { return option->Name == key; });
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

TOption* TGroup::FindOption(const std::string& key) const {
    auto found = FindByName(Options, key);
    return found == Options.end() ? nullptr : found->get();
}

void TGroup::DeleteOption(const std::string& key) {
    auto found = FindByName(Options, key);
    if (found != Options.end()) Options.erase(found);
}

void TGroup::Clear() {
    Options.clear();
}

TOptionString& TGroup::AddString(const std::string& key, const std::string& value) {
    return Append<TOptionString>(Options, key, value);
}

TOptionInteger& TGroup::AddInteger(const std::string& key, int32_t value) {
    return Append<TOptionInteger>(Options, key, value);
}

TOptionInt64& TGroup::AddInt64(const std::string& key, int64_t value) {
    return Append<TOptionInt64>(Options, key, value);
}

TOptionBoolean& TGroup::AddBoolean(const std::string& key, uint8_t value) {
    return Append<TOptionBoolean>(Options, key, value);
}

TOptionForm& TGroup::AddWindow(const std::string& key, uint8_t state, const TRect& rect) {
    return Append<TOptionForm>(Options, key, state, rect);
}

void TGroup::EnsureString(const std::string& key, const std::string& value) {
    Ensure<TOptionString>(Options, key, value);
}

void TGroup::EnsureInteger(const std::string& key, int32_t value) {
    Ensure<TOptionInteger>(Options, key, value);
}

void TGroup::EnsureInt64(const std::string& key, int64_t value) {
    Ensure<TOptionInt64>(Options, key, value);
}

void TGroup::EnsureBoolean(const std::string& key, uint8_t value) {
    Ensure<TOptionBoolean>(Options, key, value);
}

void TGroup::SetString(const std::string& key, const std::string& value) {
    Set<TOptionString>(Options, key, value);
}

void TGroup::SetInteger(const std::string& key, int32_t value) {
    Set<TOptionInteger>(Options, key, value);
}

void TGroup::SetBoolean(const std::string& key, bool value) {
    Set<TOptionBoolean>(Options, key, static_cast<uint8_t>(value ? 1 : 0));
}

void TGroup::SetWindow(const std::string& key, uint8_t state, const TRect& rect) {
    Options.erase(std::remove_if(Options.begin(), Options.end(),
                                 [&key](const std::unique_ptr<TOption>& option) {
                                     return option->Name == key;
                                 }),
                  Options.end());
    AddWindow(key, state, rect);
}

std::string NormalizeGroupName(const std::string& name) {
    std::string trimmed = Trim(name);
    return trimmed.empty() ? "Default" : trimmed;
}

TConfig::TConfig(std::string fileName, const std::string& folder)
    : FileName(std::move(fileName)), Folder(WithTrailingBackslash(folder)) {}

void TConfig::Clear() {
    Groups.clear();
}

void TConfig::SetFolder(const std::string& folder) {
    Folder = WithTrailingBackslash(folder);
}

TGroup& TConfig::AddGroup(const std::string& name) {
    Groups.push_back(std::make_unique<TGroup>(NormalizeGroupName(name)));
    return *Groups.back();
}

TGroup* TConfig::FindGroup(const std::string& name) const {
    const std::string normalized = NormalizeGroupName(name);
    for (const auto& group : Groups) {
        if (group->Name == normalized) return group.get();
    }
    return nullptr;
}

TGroup& TConfig::GetGroup(const std::string& name) {
    TGroup* found = FindGroup(name);
    return found ? *found : AddGroup(name);
}

TOption* TConfig::FindOption(const std::string& group, const std::string& key) const {
    TGroup* found = FindGroup(group);
    return found ? found->FindOption(key) : nullptr;
}

bool TConfig::OptionExists(const std::string& group, const std::string& key) const {
    return FindOption(group, key) != nullptr;
}

void TConfig::DeleteOption(const std::string& group, const std::string& key) {
    GetGroup(group).DeleteOption(key);
}

void TConfig::EnsureString(const std::string& group, const std::string& key,
                           const std::string& value) {
    GetGroup(group).EnsureString(key, value);
}

void TConfig::EnsureInteger(const std::string& group, const std::string& key, int32_t value) {
    GetGroup(group).EnsureInteger(key, value);
}

void TConfig::EnsureInt64(const std::string& group, const std::string& key, int64_t value) {
    GetGroup(group).EnsureInt64(key, value);
}

void TConfig::EnsureBoolean(const std::string& group, const std::string& key, uint8_t value) {
    GetGroup(group).EnsureBoolean(key, value);
}

void TConfig::SetString(const std::string& group, const std::string& key,
                        const std::string& value) {
    GetGroup(group).SetString(key, value);
}

void TConfig::SetInteger(const std::string& group, const std::string& key, int32_t value) {
    GetGroup(group).SetInteger(key, value);
}

void TConfig::SetBoolean(const std::string& group, const std::string& key, bool value) {
    GetGroup(group).SetBoolean(key, value);
}

void TConfig::SetWindow(const std::string& group, const std::string& key, uint8_t state,
                        const TRect& rect) {
    GetGroup(group).SetWindow(key, state, rect);
}

std::string TConfig::GetString(const std::string& group, const std::string& key,
                               const std::string& def) const {
    auto* option = dynamic_cast<TOptionString*>(FindOption(group, key));
    return option ? option->Value : def;
}

int32_t TConfig::GetInteger(const std::string& group, const std::string& key, int32_t def) const {
    TOption* option = FindOption(group, key);
    if (auto* integer = dynamic_cast<TOptionInteger*>(option)) return integer->Value;
    if (auto* wide = dynamic_cast<TOptionInt64*>(option)) {
        return static_cast<int32_t>(static_cast<uint32_t>(wide->Value));
    }
    return def;
}

bool TConfig::GetBoolean(const std::string& group, const std::string& key, bool def) const {
    auto* option = dynamic_cast<TOptionBoolean*>(FindOption(group, key));
    return option ? option->Value != 0 : def;
}
