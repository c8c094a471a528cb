#include "report/textlayout.h"

#include "report/fontmetrics.h"

#include <QStringView>

namespace textlayout {

namespace {

constexpr double kInsetLeftPx = 2;
constexpr double kInsetRightPx = 2;
constexpr double kInsetTopPx = 1;
constexpr double kInsetBottomPx = 1;
constexpr double kExtraLineSpacingPx = 2;
// Widths are sums of doubles; a line that fits exactly must not wrap through rounding noise.
constexpr double kFitTolerancePx = 1e-9;

struct Span
{
    qsizetype start;
    qsizetype length;
};

// Breaks one stored line greedily: at the last space before the overflow (that space is
// dropped), or before the overflowing character when the line has no space; a single
// character too wide for the line stands alone rather than looping.
void wrapStoredLine(QStringView line, ReportFont font, double fontHeightPx, double limitPx,
                    std::vector<Span> &out)
{
    const fontmetrics::FontFace &face = fontmetrics::face(font);
    const double pxPerUnit = fontHeightPx / face.unitsPerEm;
    qsizetype start = 0;
    while (start < line.size()) {
        double widthPx = 0;
        qsizetype lastSpace = -1;
        qsizetype i = start;
        qsizetype next = line.size();
        qsizetype end = line.size();
        for (; i < line.size(); ++i) {
            const QChar c = line[i];
            widthPx += fontmetrics::advanceUnits(face, c.unicode()) * pxPerUnit;
            if (widthPx > limitPx + kFitTolerancePx && i > start) {
                if (c == u' ') {
                    end = i;
                    next = i + 1;
                } else if (lastSpace >= start) {
                    end = lastSpace;
                    next = lastSpace + 1;
                } else {
                    end = i;
                    next = i;
                }
                break;
            }
            if (c == u' ')
                lastSpace = i;
        }
        out.push_back({start, end - start});
        start = next;
    }
}

} // namespace

std::vector<Line> layoutBox(const PreparedBox &box)
{
    std::vector<Line> lines;
    if (box.text.isEmpty() || !box.style)
        return lines;

    const MemoStyle &style = *box.style;
    const fontmetrics::FontFace &face = fontmetrics::face(style.font);
    const double ascentPx = face.ascent * style.fontHeightPx / face.unitsPerEm;
    const double lineHeightPx = (face.ascent - face.descent) * style.fontHeightPx / face.unitsPerEm;
    const double innerWidthPx = box.widthPx - kInsetLeftPx - kInsetRightPx;

    struct Piece
    {
        QStringView text;
        double widthPx;
    };
    std::vector<Piece> pieces;
    std::vector<Span> spans;
    const QStringView all(box.text);
    qsizetype lineStart = 0;
    while (lineStart <= all.size()) {
        qsizetype lineEnd = all.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = all.size();
        const QStringView stored = all.mid(lineStart, lineEnd - lineStart);
        if (stored.isEmpty()) {
            pieces.push_back({stored, 0});
        } else {
            spans.clear();
            wrapStoredLine(stored, style.font, style.fontHeightPx, innerWidthPx, spans);
            for (const Span &s : spans) {
                const QStringView t = stored.mid(s.start, s.length);
                pieces.push_back({t, fontmetrics::textWidthPx(style.font, t, style.fontHeightPx)});
            }
        }
        lineStart = lineEnd + 1;
    }

    const double stepPx = lineHeightPx + kExtraLineSpacingPx;
    const double blockHeightPx = pieces.size() * lineHeightPx + (pieces.size() - 1) * kExtraLineSpacingPx;
    double topPx = kInsetTopPx;
    if (style.vAlign == VAlign::Center)
        topPx = (box.heightPx - blockHeightPx) / 2;
    else if (style.vAlign == VAlign::Bottom)
        topPx = box.heightPx - kInsetBottomPx - blockHeightPx;

    for (const Piece &p : pieces) {
        if (topPx >= box.heightPx)
            break;
        double xPx = kInsetLeftPx;
        if (style.hAlign == HAlign::Center)
            xPx += (innerWidthPx - p.widthPx) / 2;
        else if (style.hAlign == HAlign::Right)
            xPx += innerWidthPx - p.widthPx;
        // A line that is the whole text shares it instead of copying it.
        const bool whole = p.text.size() == box.text.size();
        lines.push_back({whole ? box.text : p.text.toString(), xPx, topPx + ascentPx});
        topPx += stepPx;
    }
    return lines;
}

} // namespace textlayout
