#include "pdf/pdfglyphnames.h"

#include "pdf/pdfglyphnames_data.h"

#include <algorithm>

QByteArray pdfGlyphName(char32_t codePoint)
{
    using pdfglyphnames::GlyphName;
    const GlyphName *end = pdfglyphnames::kGlyphNames + pdfglyphnames::kGlyphNameCount;
    const GlyphName *it = std::lower_bound(pdfglyphnames::kGlyphNames, end, codePoint,
                                           [](const GlyphName &g, char32_t cp) { return g.codePoint < cp; });
    if (it != end && it->codePoint == codePoint)
        return QByteArray(it->name);
    if (codePoint <= 0xFFFF)
        return "uni" + QByteArray::number(uint(codePoint), 16).toUpper().rightJustified(4, '0');
    return 'u' + QByteArray::number(uint(codePoint), 16).toUpper();
}
