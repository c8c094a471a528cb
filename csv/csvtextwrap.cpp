#include "csv/csvtextwrap.h"

#include "report/fontmetrics.h"

#include <array>
#include <cmath>

namespace csv {

namespace {

// Line breaking measures at 10 pt and 600 dots per inch, while memo widths are in report
// pixels at 96 per inch.
constexpr double kBreakFontHeightPx = 83;
constexpr double kBreakPxPerReportPx = 600.0 / 96.0;
// Breaking works on the memo's width rounded to whole pixels, less this.
constexpr double kInnerWidthLossPx = 3;

// Widths below this code are looked up once per face: Latin and Cyrillic cover the reports.
constexpr char16_t kCachedBelow = 0x500;
using WidthTable = std::array<unsigned short, kCachedBelow>;

int measuredWidthPx(const fontmetrics::FontFace &face, char16_t ch)
{
    return int(std::lround(fontmetrics::advanceUnits(face, ch) * kBreakFontHeightPx / face.unitsPerEm));
}

WidthTable widthTable(ReportFont font)
{
    WidthTable table{};
    const fontmetrics::FontFace &face = fontmetrics::face(font);
    for (char16_t ch = 0; ch < kCachedBelow; ++ch)
        table[ch] = static_cast<unsigned short>(measuredWidthPx(face, ch));
    return table;
}

// Characters are whole code points: a surrogate pair is measured and kept as one.
qsizetype charLength(QStringView line, qsizetype at)
{
    return at + 1 < line.size() && line[at].isHighSurrogate() && line[at + 1].isLowSurrogate() ? 2 : 1;
}

// Hands each line of the stored line to onLine, as a view into it.
template <typename OnLine>
void wrapStoredLine(QStringView line, double limitPx, ReportFont font, const OnLine &onLine)
{
    if (line.size() == charLength(line, 0)) {
        onLine(line); // one character is never wrapped
        return;
    }
    double totalPx = 0;
    for (qsizetype i = 0; i < line.size(); i += charLength(line, i))
        totalPx += breakWidthPx(font, line[i].unicode());
    if (totalPx < limitPx) {
        onLine(line);
        return;
    }

    qsizetype start = 0;
    qsizetype i = 0;
    qsizetype lastSpace = -1;
    double widthPx = 0;
    while (i < line.size()) {
        const qsizetype length = charLength(line, i);
        widthPx += breakWidthPx(font, line[i].unicode());
        if (line[i] == u' ')
            lastSpace = i;
        if (widthPx <= limitPx) {
            i += length;
            continue;
        }
        if (lastSpace >= 0) { // break before the space and drop it
            onLine(line.sliced(start, lastSpace - start));
            start = lastSpace + 1;
        } else if (i == start) { // a character that alone overflows stands on its own
            onLine(line.sliced(start, length));
            start = i + length;
        } else { // break before the overflowing character
            onLine(line.sliced(start, i - start));
            start = i;
        }
        i = start;
        widthPx = 0;
        lastSpace = -1;
    }
    if (start < line.size())
        onLine(line.sliced(start));
}

template <typename OnLine>
void forEachMemoLine(QStringView text, ReportFont font, double widthPx, const OnLine &onLine)
{
    if (text.isEmpty())
        return;
    const double innerPx = roundHalfEven(widthPx) - kInnerWidthLossPx;
    // Kept as a double: a width that is not a number then breaks after every character
    // instead of reaching an undefined conversion.
    const double limitPx = roundHalfEven(innerPx * kBreakPxPerReportPx);

    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView stored = text.sliced(start, end - start);
        wrapStoredLine(stored.isEmpty() ? QStringView(u" ") : stored, limitPx, font, onLine);
        // CR LF is one break. A break at the very end opens no empty line after it.
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

} // namespace

double roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction < 0.5)
        return down;
    if (fraction > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

int breakWidthPx(ReportFont font, char16_t ch)
{
    static const std::array<WidthTable, 3> tables{widthTable(ReportFont::ArialRegular),
                                                  widthTable(ReportFont::ArialBold),
                                                  widthTable(ReportFont::SegoeUiBold)};
    if (ch < kCachedBelow)
        return tables[std::size_t(font)][ch];
    return measuredWidthPx(fontmetrics::face(font), ch);
}

QStringList wrapMemoLines(QStringView text, ReportFont font, double widthPx)
{
    QStringList lines;
    forEachMemoLine(text, font, widthPx, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

QString joinedMemoLines(const QString &text, ReportFont font, double widthPx)
{
    // The first line is only looked at: most memos have no second one.
    QStringView first;
    QString joined;
    int lineCount = 0;
    forEachMemoLine(text, font, widthPx, [&](QStringView line) {
        if (++lineCount == 1) {
            first = line;
            return;
        }
        if (lineCount == 2) {
            joined += first;
            joined += u'\n';
        }
        joined += line;
        joined += u'\n';
    });
    if (lineCount != 1)
        return joined;
    // One unbroken line is the text itself: shared, not copied.
    return first.size() == text.size() ? text : first.toString() + u'\n';
}

} // namespace csv
