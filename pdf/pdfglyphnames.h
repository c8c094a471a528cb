#pragma once

#include <QByteArray>

// The glyph name under which a PDF reader finds a character in a font that is not
// embedded: the Adobe Glyph List's name where the list has one ("afii10017" for "А",
// "degree", "afii61352" for "№"), which every reader maps back to the character;
// "uniXXXX" / "uXXXXX" for any other character.
QByteArray pdfGlyphName(char32_t codePoint);
