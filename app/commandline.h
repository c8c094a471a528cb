#pragma once

#include <QStringList>

#include <optional>

// What the command line asks for, once the forms that need no window have run.
struct CommandLineRun
{
    // Set when the command line has been handled (help, version, wrong usage, an export):
    // the process ends with it and no window opens.
    std::optional<int> exitCode;
    // Otherwise the archives to open in the window, in their order; may be none.
    QStringList files;
};

// Handles the forms of the command line that need no window (help, version, wrong usage, the
// exports --pdf and --csv) before any QApplication exists, so that they work with no display
// at all; they write no settings. Exit codes: 0 done, 1 wrong usage (the reason on standard
// error), 2 the archive could not be read or is not an archive, 3 the output could not be
// written.
CommandLineRun runCommandLine(int &argc, char **argv);
