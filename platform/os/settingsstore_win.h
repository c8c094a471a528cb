#pragma once

#include "platform/settingsstore.h"

// The settings store in the registry below HKEY_CURRENT_USER.
class WinSettingsStore final : public SettingsStore
{
public:
    std::unique_ptr<SettingsKey> createKey(const QString &path) override;
    std::unique_ptr<SettingsKey> openKey(const QString &path) override;
};
