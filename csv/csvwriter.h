#pragma once

#include "report/preparedpage.h"

#include <QString>

class AnsiCodePage;
class Progress;

// Writes the prepared pages as semicolon-separated text in the code page: for each page the
// boxes are laid on a grid whose borders are all their edges, one line per grid row, one
// field per box (and an empty field for each further cell it spans). Creates or replaces
// the file as a whole: false when it cannot be created or written, and then any old file
// stays as it was and no partial file is left. Progress counts pages.
bool writeCsv(const QString &fileName, const PreparedReport &report, const AnsiCodePage &ansi,
              Progress &progress);
