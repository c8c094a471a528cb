#pragma once

#include <QString>

#include <memory>
#include <optional>

// The program's key and its one value: whether the connection guide opens at start.
inline constexpr char16_t kProgramSettingsKey[] = u"\\Software\\Nordvekt\\LIRAS\\2.0";
inline constexpr char16_t kStartValueName[] = u"Start";

// One key of the per-user settings store (the registry on Windows).
class SettingsKey
{
public:
    virtual ~SettingsKey() = default;
    // True when a value of that name exists, whatever its type.
    virtual bool hasValue(const QString &name) const = 0;
    // The value as text; nullopt when it is missing or is not of string type.
    virtual std::optional<QString> readString(const QString &name) const = 0;
    // Writes a string value; false when the store refuses it.
    virtual bool writeString(const QString &name, const QString &value) = 0;
};

// The per-user root (HKEY_CURRENT_USER). Key paths are written with backslashes,
// "\Software\Nordvekt\LIRAS\2.0"; a leading backslash is allowed.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // Opens the key, creating it and its parents when missing; null when that fails.
    virtual std::unique_ptr<SettingsKey> createKey(const QString &path) = 0;
    // Opens an existing key for reading and writing; null when it is missing or cannot be opened.
    virtual std::unique_ptr<SettingsKey> openKey(const QString &path) = 0;
};
