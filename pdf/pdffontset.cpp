#include "pdf/pdffontset.h"

#include "pdf/pdfglyphnames.h"
#include "pdf/pdfobjectwriter.h"
#include "pdf/pdfsyntax.h"
#include "report/fontmetrics.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

bool isAscii(char32_t cp)
{
    return cp >= 32 && cp <= 126;
}

// Free codes in the order they are handed out. The first encoding of a font keeps
// 32..126 for ASCII; code 0 is never used, as some readers end strings there.
struct Pool
{
    std::array<unsigned char, 255> codes{};
    int size = 0;

    Pool(std::initializer_list<std::pair<int, int>> ranges)
    {
        for (const auto &[first, last] : ranges) {
            for (int c = first; c <= last; ++c)
                codes[size++] = static_cast<unsigned char>(c);
        }
    }
};

const Pool &poolOf(bool firstEncoding)
{
    static const Pool first{{128, 255}, {1, 31}, {127, 127}};
    static const Pool further{{128, 255}, {32, 127}, {1, 31}};
    return firstEncoding ? first : further;
}

QByteArray baseFontName(ReportFont font)
{
    switch (font) {
    case ReportFont::ArialRegular:
        return QByteArrayLiteral("Arial");
    case ReportFont::ArialBold:
        return QByteArrayLiteral("Arial,Bold");
    case ReportFont::SegoeUiBold:
        break;
    }
    // A TrueType font is named by its system name with the spaces removed.
    return QByteArrayLiteral("SegoeUI,Bold");
}

bool isBold(ReportFont font)
{
    return font != ReportFont::ArialRegular;
}

int thousandths(int fontUnits, int unitsPerEm)
{
    return int(std::lround(double(fontUnits) * 1000.0 / unitsPerEm));
}

// Width of the character as the layout measures it: the sum of its UTF-16 units' advances.
int glyphWidth(const fontmetrics::FontFace &face, char32_t cp)
{
    if (cp <= 0xFFFF)
        return thousandths(fontmetrics::advanceUnits(face, char16_t(cp)), face.unitsPerEm);
    const char16_t high = char16_t(0xD800 + ((cp - 0x10000) >> 10));
    const char16_t low = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    return thousandths(fontmetrics::advanceUnits(face, high) + fontmetrics::advanceUnits(face, low),
                       face.unitsPerEm);
}

void appendUtf16Hex(QByteArray &out, char32_t cp)
{
    const QString text = QString::fromUcs4(&cp, 1);
    for (const QChar unit : text) {
        const ushort u = unit.unicode();
        const char bytes[2] = {char(u >> 8), char(u & 0xFF)};
        pdfsyntax::appendHex(out, QByteArray(bytes, 2));
    }
}

QByteArray toUnicodeCMap(const std::array<char32_t, 256> &codePoints, char32_t freeCode)
{
    QByteArray cmap = QByteArrayLiteral(
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n");
    std::vector<int> used;
    for (int code = 0; code < 256; ++code) {
        if (codePoints[code] != freeCode)
            used.push_back(code);
    }
    // A bfchar block holds at most 100 entries.
    for (std::size_t start = 0; start < used.size(); start += 100) {
        const std::size_t end = std::min(used.size(), start + 100);
        cmap.append(QByteArray::number(qulonglong(end - start)));
        cmap.append(" beginbfchar\n");
        for (std::size_t i = start; i < end; ++i) {
            const int code = used[i];
            cmap.append('<');
            pdfsyntax::appendHex(cmap, QByteArray(1, char(code)));
            cmap.append("> <");
            appendUtf16Hex(cmap, codePoints[code]);
            cmap.append(">\n");
        }
        cmap.append("endbfchar\n");
    }
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

QByteArray fontDescriptor(ReportFont font)
{
    const fontmetrics::FontFace &face = fontmetrics::face(font);
    const int em = face.unitsPerEm;
    QByteArray d = QByteArrayLiteral("<< /Type /FontDescriptor /FontName ");
    pdfsyntax::appendName(d, baseFontName(font));
    // 32: non-symbolic, so readers map the /Differences glyph names through Unicode.
    d.append(" /Flags 32 /FontBBox [");
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            d.append(' ');
        d.append(QByteArray::number(thousandths(face.bbox[i], em)));
    }
    d.append("] /ItalicAngle 0 /Ascent ");
    d.append(QByteArray::number(thousandths(face.ascent, em)));
    d.append(" /Descent ");
    d.append(QByteArray::number(thousandths(face.descent, em)));
    d.append(" /CapHeight ");
    d.append(QByteArray::number(thousandths(face.capHeight, em)));
    // Stem widths by the usual estimate from the weight: 50 + (weight / 65)^2.
    d.append(isBold(font) ? " /FontWeight 700 /StemV 166" : " /FontWeight 400 /StemV 88");
    d.append(" >>");
    return d;
}

} // namespace

PdfFontSet::PdfFontSet()
{
    m_firstEncoding.fill(-1);
    m_currentEncoding.fill(-1);
}

PdfFontSet::Slot PdfFontSet::slotFor(ReportFont font, char32_t codePoint)
{
    const int f = int(font);
    if (codePoint <= 0xFFFF) {
        std::vector<Slot> &table = m_bmpSlots[f];
        if (table.empty())
            table.resize(0x10000, 0);
        Slot &slot = table[codePoint];
        if (slot == 0)
            slot = assign(font, codePoint);
        return slot;
    }
    auto it = m_otherSlots[f].find(codePoint);
    if (it == m_otherSlots[f].end())
        it = m_otherSlots[f].insert(codePoint, assign(font, codePoint));
    return it.value();
}

int PdfFontSet::openEncoding(ReportFont font)
{
    const int f = int(font);
    Encoding encoding{font, {}, m_firstEncoding[f] < 0, 0};
    encoding.codePoints.fill(kFreeCode);
    m_encodings.push_back(encoding);
    const int index = int(m_encodings.size()) - 1;
    if (encoding.first)
        m_firstEncoding[f] = index;
    m_currentEncoding[f] = index;
    return index;
}

PdfFontSet::Slot PdfFontSet::assign(ReportFont font, char32_t codePoint)
{
    const int f = int(font);
    if (m_firstEncoding[f] < 0)
        openEncoding(font);

    int index = m_firstEncoding[f];
    int code = int(codePoint);
    if (!isAscii(codePoint)) {
        index = m_currentEncoding[f];
        if (m_encodings[index].nextFree == poolOf(m_encodings[index].first).size)
            index = openEncoding(font);
        code = poolOf(m_encodings[index].first).codes[m_encodings[index].nextFree++];
    }
    m_encodings[index].codePoints[code] = codePoint;
    return Slot(index + 1) << 8 | Slot(code);
}

void PdfFontSet::appendShowText(std::string &out, ReportFont font, QStringView text, double sizePt,
                                int &currentResource)
{
    QByteArray &run = m_run;
    int runResource = 0;
    auto flush = [&] {
        if (run.isEmpty())
            return;
        if (runResource != currentResource) {
            out += "/F";
            out += std::to_string(runResource);
            out += ' ';
            pdfsyntax::appendNumber(out, sizePt);
            out += " Tf ";
            currentResource = runResource;
        }
        pdfsyntax::appendLiteralString(out, run.constData(), run.size());
        out += " Tj ";
        run.resize(0);
    };

    // One code per UTF-16 unit at most; the run is written in place and cut to size.
    run.resize(text.size());
    char *codes = run.data();
    qsizetype runLength = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(char16_t(cp), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(cp)) {
            cp = kReplacement; // a lone half of a pair is no character
        }
        const Slot slot = slotFor(font, cp);
        const int resource = int(slot >> 8);
        if (resource != runResource) {
            run.resize(runLength);
            flush();
            run.resize(text.size());
            codes = run.data();
            runLength = 0;
            runResource = resource;
        }
        codes[runLength++] = char(slot & 0xFF);
    }
    run.resize(runLength);
    flush();
}

QByteArray PdfFontSet::writeFonts(PdfObjectWriter &writer) const
{
    std::array<int, kFontCount> descriptors{};
    QByteArray resources;
    for (std::size_t index = 0; index < m_encodings.size(); ++index) {
        const Encoding &encoding = m_encodings[index];
        const fontmetrics::FontFace &face = fontmetrics::face(encoding.font);
        int &descriptor = descriptors[int(encoding.font)];
        if (descriptor == 0)
            descriptor = writer.reserveObject();

        const int toUnicode = writer.reserveObject();
        writer.writeFlateStream(toUnicode, toUnicodeCMap(encoding.codePoints, kFreeCode));

        int firstCode = 255;
        int lastCode = 0;
        for (int code = 0; code < 256; ++code) {
            if (encoding.codePoints[code] != kFreeCode) {
                firstCode = std::min(firstCode, code);
                lastCode = std::max(lastCode, code);
            }
        }

        QByteArray dict = QByteArrayLiteral("<< /Type /Font /Subtype /TrueType /BaseFont ");
        pdfsyntax::appendName(dict, baseFontName(encoding.font));
        dict.append(" /FirstChar ");
        dict.append(QByteArray::number(firstCode));
        dict.append(" /LastChar ");
        dict.append(QByteArray::number(lastCode));
        dict.append(" /Widths [");
        for (int code = firstCode; code <= lastCode; ++code) {
            const char32_t cp = encoding.codePoints[code];
            if (code > firstCode)
                dict.append(' ');
            dict.append(QByteArray::number(cp != kFreeCode ? glyphWidth(face, cp) : 0));
        }
        dict.append(']');
        dict.append(" /FontDescriptor ");
        appendReference(dict, descriptor);
        dict.append(" /Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [");
        int previous = -2;
        for (int code = 0; code < 256; ++code) {
            const char32_t cp = encoding.codePoints[code];
            // ASCII at its own code is what the base encoding already says.
            if (cp == kFreeCode || (isAscii(cp) && code == int(cp)))
                continue;
            if (code != previous + 1) {
                dict.append(' ');
                dict.append(QByteArray::number(code));
            }
            pdfsyntax::appendName(dict, pdfGlyphName(cp));
            previous = code;
        }
        dict.append("] >> /ToUnicode ");
        appendReference(dict, toUnicode);
        dict.append(" >>");

        const int fontObject = writer.beginNewObject();
        writer.write(dict);
        writer.endObject();

        resources.append(" /F");
        resources.append(QByteArray::number(qulonglong(index + 1)));
        resources.append(' ');
        appendReference(resources, fontObject);
    }
    for (int f = 0; f < kFontCount; ++f) {
        if (descriptors[f] == 0)
            continue;
        writer.beginObject(descriptors[f]);
        writer.write(fontDescriptor(ReportFont(f)));
        writer.endObject();
    }
    return resources;
}
