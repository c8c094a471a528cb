#include "report/fontmetrics.h"

#include <algorithm>

namespace fontmetrics {

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
    long long units = 0;
    for (QChar c : text)
        units += advanceUnits(f, c.unicode());
    return double(units) * fontHeightPx / f.unitsPerEm;
}

} // namespace fontmetrics
