#include "platform/os/settingsstore_win.h"

#include <string>
#include <vector>

#include <windows.h>

namespace {

// Key paths are written "\Software\..."; the registry wants them without the leading
// backslash.
std::wstring subKey(const QString &path)
{
    QString relative = path;
    while (relative.startsWith(u'\\'))
        relative.remove(0, 1);
    return relative.toStdWString();
}

class WinSettingsKey final : public SettingsKey
{
public:
    explicit WinSettingsKey(HKEY key) : m_key(key) {}
    ~WinSettingsKey() override { RegCloseKey(m_key); }
    WinSettingsKey(const WinSettingsKey &) = delete;
    WinSettingsKey &operator=(const WinSettingsKey &) = delete;

    bool hasValue(const QString &name) const override
    {
        const std::wstring valueName = name.toStdWString();
        return RegQueryValueExW(m_key, valueName.c_str(), nullptr, nullptr, nullptr, nullptr)
            == ERROR_SUCCESS;
    }

    std::optional<QString> readString(const QString &name) const override
    {
        const std::wstring valueName = name.toStdWString();
        DWORD type = 0;
        DWORD sizeBytes = 0;
        LSTATUS status = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, nullptr,
                                          &sizeBytes);
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        // The value may change between the two calls: retry while it grows.
        std::vector<wchar_t> buffer;
        do {
            buffer.assign(sizeBytes / sizeof(wchar_t) + 1, L'\0');
            sizeBytes = DWORD(buffer.size() * sizeof(wchar_t));
            status = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE *>(buffer.data()), &sizeBytes);
        } while (status == ERROR_MORE_DATA);
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        // A stored string need not carry its terminating NUL, or may carry several.
        size_t length = sizeBytes / sizeof(wchar_t);
        while (length > 0 && buffer[length - 1] == L'\0')
            --length;
        return QString::fromWCharArray(buffer.data(), qsizetype(length));
    }

    bool writeString(const QString &name, const QString &value) override
    {
        const std::wstring valueName = name.toStdWString();
        const std::wstring data = value.toStdWString();
        const DWORD sizeBytes = DWORD((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(m_key, valueName.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE *>(data.c_str()), sizeBytes)
            == ERROR_SUCCESS;
    }

private:
    HKEY m_key;
};

} // namespace

std::unique_ptr<SettingsKey> WinSettingsStore::createKey(const QString &path)
{
    HKEY key = nullptr;
    const std::wstring name = subKey(path);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinSettingsKey>(key);
}

std::unique_ptr<SettingsKey> WinSettingsStore::openKey(const QString &path)
{
    HKEY key = nullptr;
    const std::wstring name = subKey(path);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ | KEY_WRITE, &key)
        != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinSettingsKey>(key);
}
