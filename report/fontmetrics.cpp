#include "report/fontmetrics.h"

#include <algorithm>
#include <array>
#include <memory>

namespace fontmetrics {

namespace {

// Every UTF-16 unit's advance of one face, so that layout asks an array instead of
// searching the sorted table for each character.
using AdvanceTable = std::array<unsigned short, 0x10000>;

std::unique_ptr<AdvanceTable> tableOf(const FontFace &face)
{
    auto table = std::make_unique<AdvanceTable>();
    table->fill(static_cast<unsigned short>(face.missingWidth));
    for (std::size_t i = 0; i < face.advanceCount; ++i)
        (*table)[face.advances[i].codePoint] = face.advances[i].advance;
    return table;
}

// The table of one of the report's faces; null for any other face.
const AdvanceTable *knownTable(const FontFace &face)
{
    static const std::unique_ptr<AdvanceTable> regular = tableOf(data::kRegular);
    static const std::unique_ptr<AdvanceTable> bold = tableOf(data::kBold);
    if (&face == &data::kRegular)
        return regular.get();
    if (&face == &data::kBold)
        return bold.get();
    return nullptr;
}

} // namespace

const FontFace &face(ReportFont font)
{
    return font == ReportFont::ArialRegular ? data::kRegular : data::kBold;
}

static const Advance *find(const FontFace &face, char16_t ch)
{
    const Advance *end = face.advances + face.advanceCount;
    const Advance *it = std::lower_bound(face.advances, end, ch,
                                         [](const Advance &a, char16_t c) { return a.codePoint < c; });
    return it != end && it->codePoint == ch ? it : nullptr;
}

int advanceUnits(const FontFace &face, char16_t ch)
{
    if (const AdvanceTable *table = knownTable(face))
        return (*table)[ch];
    const Advance *a = find(face, ch);
    return a ? a->advance : face.missingWidth;
}

bool hasGlyph(const FontFace &face, char16_t ch)
{
    return find(face, ch) != nullptr;
}

double textWidthPx(ReportFont font, QStringView text, double fontHeightPx)
{
    const FontFace &f = face(font);
    const AdvanceTable &table = *knownTable(f);
    long long units = 0;
    for (QChar c : text)
        units += table[c.unicode()];
    return double(units) * fontHeightPx / f.unitsPerEm;
}

} // namespace fontmetrics
