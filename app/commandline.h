#pragma once

#include <optional>

// Handles the forms of the command line that need no window (help, version, wrong usage),
// before any QApplication exists, so that they work with no display at all. Returns the
// process's exit code when the command line has been handled, or nothing when the window
// program starts as usual: with no option, or with the names a file manager hands over.
// Wrong usage prints the reason to standard error and ends with 1.
std::optional<int> runCommandLine(int &argc, char **argv);
