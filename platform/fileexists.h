#pragma once

#include <QString>

// True only for an existing file (not a folder); follows symbolic links.
bool isExistingFile(const QString &path);
