#include "platform/ui/os/shell_win.h"

#include <QWidget>

#include <string>

#include <windows.h>
#include <shellapi.h>

bool WinShell::openDocument(const QString &fileName, QWidget *parent)
{
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const std::wstring name = fileName.toStdWString();
    // No verb (the default one), no parameters, no folder: a relative name is looked up in
    // the current folder. Results up to 32 are errors: no such file, no application for its
    // type, no access.
    const HINSTANCE result = ShellExecuteW(owner, nullptr, name.c_str(), nullptr, nullptr, SW_RESTORE);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
