#pragma once

#include "platform/settingsstore.h"

// The settings store as folders and files below a root folder, for systems without a
// registry: a key is a folder (so it can exist without values), a value a file named
// after it with its type as suffix, "Start.sz" holding a string in UTF-8. Any other suffix
// is a value of another type. Key and value names compare without regard to case, as in
// the registry.
class LinuxSettingsStore final : public SettingsStore
{
public:
    explicit LinuxSettingsStore(const QString &rootFolder = defaultRootFolder());

    // "liras-d7/registry" in the user's configuration folder ($XDG_CONFIG_HOME).
    static QString defaultRootFolder();

    std::unique_ptr<SettingsKey> createKey(const QString &path) override;
    std::unique_ptr<SettingsKey> openKey(const QString &path) override;

private:
    QString m_root;
};
