#pragma once

#include <QByteArray>

// The glyph name under which a PDF reader finds a character in a font that is not
// embedded: the Adobe Glyph List's "afii100NN" for the Russian alphabet, which every
// reader knows, and "uniXXXX" / "uXXXXX" for any other character.
QByteArray pdfGlyphName(char32_t codePoint);
