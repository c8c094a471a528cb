#pragma once

#include "platform/ui/platform.h"

#include <memory>

// The real platform of the system the program runs on; main() makes one and hands its
// platform() to the windows. Needs a QApplication for the dialogs and regional settings.
class SystemPlatform
{
public:
    SystemPlatform();
    ~SystemPlatform();
    SystemPlatform(const SystemPlatform &) = delete;
    SystemPlatform &operator=(const SystemPlatform &) = delete;

    Platform platform();

private:
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<DriveRoots> m_drives;
    std::unique_ptr<AnsiCodePage> m_ansi;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<Dialogs> m_dialogs;
    RegionalSettings m_regional;
};
