#pragma once

#include "report/preparedpage.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace csv {

// Rounds to the nearest whole number, a half to the even neighbour (42.5 -> 42, 43.5 -> 44).
double roundHalfEven(double value);

// Width of one character for line breaking, in pixels at a font height of 83 px (10 pt at
// 600 dots per inch), rounded to whole pixels; the missing-glyph width for characters the
// face lacks.
int breakWidthPx(ReportFont font, char16_t ch);

// The lines a memo of the given width shows for its text, as the CSV field sees them: each
// stored line (ended by CR LF, LF or CR) wrapped on its own, an empty stored line as one
// space, no lines at all for empty text. Never fails: a width too small for any character
// puts each character on a line of its own.
QStringList wrapMemoLines(QStringView text, ReportFont font, double widthPx);

// The same lines in one text, each ended by a line feed, for a field that drops the breaks
// again; a memo of one unbroken line gives its text alone, shared rather than copied.
QString joinedMemoLines(const QString &text, ReportFont font, double widthPx);

} // namespace csv
