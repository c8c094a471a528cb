#pragma once

class QSaveFile;

// Puts a finished QSaveFile in place of its target. True only when every byte written so
// far, the still-buffered ones included, reached the temporary file; otherwise the
// temporary file is removed, any old target stays as it was, and the result is false.
// Qt's own commit() flushes the last buffered bytes without reporting a failure of that
// flush (a full medium, a file size limit), and would rename a cut-off file over the old
// one: every writer of the program commits through here instead.
bool commitSaveFile(QSaveFile &file);
