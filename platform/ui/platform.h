#pragma once

#include "platform/regionalsettings.h"

class AnsiCodePage;
class Dialogs;
class DriveRoots;
class SettingsStore;
class Shell;

// Everything of the operating system that windows and commands use. main() builds the
// real one; tests build one of fakes. The referenced objects outlive every window.
struct Platform
{
    SettingsStore &settings;
    DriveRoots &drives;
    const AnsiCodePage &ansi;
    Shell &shell;
    Dialogs &dialogs;
    RegionalSettings regional;
};
