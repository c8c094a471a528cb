#include "platform/ui/systemplatform.h"

#include "platform/codepages.h"
#include "platform/ui/qtdialogs.h"

#ifdef Q_OS_WIN
#include "platform/os/driveroots_win.h"
#include "platform/os/settingsstore_win.h"
#include "platform/ui/os/shell_win.h"
using SystemSettingsStore = WinSettingsStore;
using SystemDriveRoots = WinDriveRoots;
using SystemShell = WinShell;
#else
#include "platform/os/driveroots_linux.h"
#include "platform/os/settingsstore_linux.h"
#include "platform/ui/os/shell_linux.h"
using SystemSettingsStore = LinuxSettingsStore;
using SystemDriveRoots = LinuxDriveRoots;
using SystemShell = LinuxShell;
#endif

SystemPlatform::SystemPlatform()
    : m_settings(std::make_unique<SystemSettingsStore>()),
      m_drives(std::make_unique<SystemDriveRoots>()),
      m_ansi(systemAnsiCodePage()),
      m_shell(std::make_unique<SystemShell>()),
      m_dialogs(std::make_unique<QtDialogs>()),
      m_regional(RegionalSettings::system())
{
}

SystemPlatform::~SystemPlatform() = default;

Platform SystemPlatform::platform()
{
    return Platform{*m_settings, *m_drives, *m_ansi, *m_shell, *m_dialogs, m_regional};
}
