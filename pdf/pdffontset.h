#pragma once

#include "report/preparedpage.h"

#include <QByteArray>
#include <QHash>
#include <QStringView>

#include <array>
#include <string>
#include <vector>

class PdfObjectWriter;

// The report's fonts as simple TrueType fonts referenced by name, not embedded, and the
// one-byte codes the document's characters get in them. ASCII keeps its own codes; every
// other character, U+0000 and the control characters included, gets a free code on first
// use, with its width, named in the encoding's /Differences and mapped back to Unicode by
// the /ToUnicode CMap, so any text is shown, searched and extracted as written (a lone
// half of a surrogate pair as U+FFFD). When a font's 256 codes run out a further encoding
// of the same font is opened, so no character is ever dropped.
class PdfFontSet
{
public:
    PdfFontSet();

    // Appends the operators that show the text in the font at the size: "/Fn size Tf"
    // wherever the encoding changes, and "(…) Tj" per run of one encoding.
    // currentResource is the font selected last in this text object (0 for none); it is
    // updated, so that consecutive lines do not repeat the selection.
    void appendShowText(std::string &out, ReportFont font, QStringView text, double sizePt,
                        int &currentResource);

    // Writes the font objects of every encoding used, with their descriptors and CMaps,
    // and returns the entries of the /Font resource dictionary ("/F1 12 0 R …").
    QByteArray writeFonts(PdfObjectWriter &writer) const;

private:
    static constexpr int kFontCount = 3;

    // Marks a code no character has: U+0000 is a character like any other and gets a code.
    static constexpr char32_t kFreeCode = 0xFFFFFFFF;

    struct Encoding
    {
        ReportFont font;
        std::array<char32_t, 256> codePoints; // kFreeCode where no character has the code
        bool first = false;                   // the font's first: holds ASCII
        int nextFree = 0;                     // index into the encoding's pool
    };

    // Encoding index + 1 in the bits above 8, the code in the low 8; 0 = not assigned yet.
    using Slot = quint32;

    Slot slotFor(ReportFont font, char32_t codePoint);
    Slot assign(ReportFont font, char32_t codePoint);
    int openEncoding(ReportFont font);

    std::vector<Encoding> m_encodings;
    std::array<int, kFontCount> m_firstEncoding;   // per font, -1 before its first character
    std::array<int, kFontCount> m_currentEncoding; // per font, the one with free codes left
    std::array<std::vector<Slot>, kFontCount> m_bmpSlots;
    std::array<QHash<char32_t, Slot>, kFontCount> m_otherSlots;
    QByteArray m_run; // the codes of one run, kept to reuse its allocation
};
