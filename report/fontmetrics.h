#pragma once

#include "report/preparedpage.h"

#include <QStringView>

#include <cstddef>

// Glyph metrics of the report's fonts, from a table committed with the source (Liberation
// Sans Regular and Bold, metric twins of Arial; "Segoe UI" bold uses the bold face), so
// that layout, PDF and CSV never depend on the fonts a machine has installed.
namespace fontmetrics {

struct Advance
{
    char16_t codePoint;
    unsigned short advance; // font units
};

struct FontFace
{
    int unitsPerEm;
    int ascent;     // font units, above the baseline
    int descent;    // font units, negative below the baseline
    int capHeight;
    int bbox[4];    // xMin, yMin, xMax, yMax
    int missingWidth;
    const Advance *advances; // sorted by code point
    std::size_t advanceCount;
};

const FontFace &face(ReportFont font);

// Advance width of one UTF-16 code unit in font units; the missing-glyph width for
// characters the face lacks.
int advanceUnits(const FontFace &face, char16_t ch);

// True when the face has a glyph for the character.
bool hasGlyph(const FontFace &face, char16_t ch);

// Sum of advances of the text, in pixels at the given font height (em size).
double textWidthPx(ReportFont font, QStringView text, double fontHeightPx);

namespace data {
extern const FontFace kRegular;
extern const FontFace kBold;
} // namespace data

} // namespace fontmetrics
