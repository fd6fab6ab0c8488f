// The settings store: named groups of named, typed options, kept in order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A window rectangle in screen pixels.
struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// One named setting; its kind is the derived class it was made as.
class Option {
public:
    virtual ~Option() = default;
    std::string Name;

protected:
    explicit Option(std::string name) : Name(std::move(name)) {}
};

// A text setting ("String" in the file).
class StringOption : public Option {
public:
    StringOption(std::string name, std::string value)
        : Option(std::move(name)), Value(std::move(value)) {}
    std::string Value;
};

// A signed 32-bit setting ("Integer" in the file).
class IntegerOption : public Option {
public:
    IntegerOption(std::string name, int32_t value) : Option(std::move(name)), Value(value) {}
    int32_t Value;
};

// A signed 64-bit setting ("Int64" in the file).
class Int64Option : public Option {
public:
    Int64Option(std::string name, int64_t value) : Option(std::move(name)), Value(value) {}
    int64_t Value;
};

// A yes/no setting ("Boolean" in the file); any non-zero value is true.
class BooleanOption : public Option {
public:
    BooleanOption(std::string name, uint8_t value) : Option(std::move(name)), Value(value) {}
    uint8_t Value;
};

// A window's rectangle and state ("Window" in the file).
class WindowOption : public Option {
public:
    WindowOption(std::string name, uint8_t state, const Rect& rect)
        : Option(std::move(name)),
          Left(rect.Left),
          Top(rect.Top),
          Right(rect.Right),
          Bottom(rect.Bottom),
          State(state) {}
    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
    uint8_t State;
};

// A named, ordered list of options.
class SettingsGroup {
public:
    explicit SettingsGroup(std::string name) : Name(std::move(name)) {}

    // The first option named `key`, or null.
    Option* FindOption(const std::string& key) const;
    // Removes the first option named `key`, if any.
    void DeleteOption(const std::string& key);
    void Clear();

    // Unconditional appends, even when the key is taken.
    StringOption& AddString(const std::string& key, const std::string& value);
    IntegerOption& AddInteger(const std::string& key, int32_t value);
    Int64Option& AddInt64(const std::string& key, int64_t value);
    BooleanOption& AddBoolean(const std::string& key, uint8_t value);
    WindowOption& AddWindow(const std::string& key, uint8_t state, const Rect& rect);

    // Append only when no option of any kind has the key.
    void EnsureString(const std::string& key, const std::string& value);
    void EnsureInteger(const std::string& key, int32_t value);
    void EnsureInt64(const std::string& key, int64_t value);
    void EnsureBoolean(const std::string& key, uint8_t value);

    // Replace the value in place when the kind matches; otherwise drop the old
    // option and append a new one at the end.
    void SetString(const std::string& key, const std::string& value);
    void SetInteger(const std::string& key, int32_t value);
    void SetBoolean(const std::string& key, bool value);
    // Drops every option named `key`, whatever its kind, and appends the window.
    void SetWindow(const std::string& key, uint8_t state, const Rect& rect);

    std::string Name;
    std::vector<std::unique_ptr<Option>> Options;
};

// Trims codes 0 to 32 from both ends; an empty name becomes "Default".
std::string NormalizeGroupName(const std::string& name);

// The game's settings, loaded from and saved to one tagged text file.
// Every operation normalises the group name it is given.
class Settings {
public:
    Settings(std::string fileName, const std::string& folder);

    // Replaces the store with what the file holds; a missing file leaves it empty.
    void Load();
    // Writes the file through a temporary one; false when the file was not replaced.
    bool Save();
    void Clear();

    const std::string& GetFolder() const { return Folder; }
    void SetFolder(const std::string& folder);

    SettingsGroup& AddGroup(const std::string& name);
    SettingsGroup* FindGroup(const std::string& name) const;
    SettingsGroup& GetGroup(const std::string& name);

    Option* FindOption(const std::string& group, const std::string& key) const;
    bool OptionExists(const std::string& group, const std::string& key) const;
    void DeleteOption(const std::string& group, const std::string& key);

    void EnsureString(const std::string& group, const std::string& key, const std::string& value);
    void EnsureInteger(const std::string& group, const std::string& key, int32_t value);
    void EnsureInt64(const std::string& group, const std::string& key, int64_t value);
    void EnsureBoolean(const std::string& group, const std::string& key, uint8_t value);

    void SetString(const std::string& group, const std::string& key, const std::string& value);
    void SetInteger(const std::string& group, const std::string& key, int32_t value);
    void SetBoolean(const std::string& group, const std::string& key, bool value);
    void SetWindow(const std::string& group, const std::string& key, uint8_t state,
                   const Rect& rect);

    std::string GetString(const std::string& group, const std::string& key,
                          const std::string& def) const;
    // Also answers for an Int64 option, with its low 32 bits.
    int32_t GetInteger(const std::string& group, const std::string& key, int32_t def) const;
    bool GetBoolean(const std::string& group, const std::string& key, bool def) const;

    // The file's text as Save writes it.
    std::string ToText() const;
    // Adds what the text holds to the store; false when it stopped early on
    // damaged text, keeping everything read up to there.
    bool ReadText(const std::string& text);

private:
    std::string FileName;
    std::string Folder;
    std::vector<std::unique_ptr<SettingsGroup>> Groups;
    // Set when Load gave up on damaged text, so the next Save keeps a copy of it.
    bool LoadStoppedEarly = false;
};
