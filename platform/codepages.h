#pragma once

#include "platform/ansicodepage.h"

#include <QString>

#include <memory>

// The Windows code page for a locale name such as "ru_RU" or "de_DE" (1251, 1252 ...);
// 1252 for the C locale and for anything unknown.
int windowsCodePageForLocale(const QString &localeName);

// A converter for a Windows code page (single-byte ones by table, the others through
// the system's converter); null when the system cannot convert it.
std::unique_ptr<AnsiCodePage> makeCodePage(int number);

// The code page of this system: Windows' ANSI code page, or the one Windows would use
// for the user's locale elsewhere.
std::unique_ptr<AnsiCodePage> systemAnsiCodePage();
