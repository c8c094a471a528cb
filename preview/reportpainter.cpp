#include "preview/reportpainter.h"

#include "report/textlayout.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <array>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The face a report font is drawn with: "Arial" or "Segoe UI", Liberation Sans where those
// are missing.
QFont reportQFont(ReportFont font, double heightPx)
{
    QFont f;
    f.setFamilies(font == ReportFont::SegoeUiBold ? QStringList{u"Segoe UI"_s, u"Liberation Sans"_s}
                                                  : QStringList{u"Arial"_s, u"Liberation Sans"_s});
    f.setPixelSize(int(std::lround(heightPx)));
    f.setBold(font != ReportFont::ArialRegular);
    // Unhinted outlines scale evenly to the printer; the line positions are ours anyway.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

void paintPage(QPainter &painter, const PreparedPage &page)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);

    // One QFont per face and size, set only when it changes: building fonts per box is slow.
    std::array<QFont, 3> fonts;
    std::array<int, 3> fontPixels{};
    int currentFont = -1;
    std::vector<QLineF> frames;
    frames.reserve(page.boxes.size() * 4);

    for (const PreparedBox &box : page.boxes) {
        const MemoStyle &style = *box.style;
        const QRectF rect(box.leftPx, box.topPx, box.widthPx, box.heightPx);
        if (style.frame) {
            frames.emplace_back(rect.topLeft(), rect.topRight());
            frames.emplace_back(rect.bottomLeft(), rect.bottomRight());
            frames.emplace_back(rect.topLeft(), rect.bottomLeft());
            frames.emplace_back(rect.topRight(), rect.bottomRight());
        }
        const std::vector<textlayout::Line> lines = textlayout::layoutBox(box);
        if (lines.empty())
            continue;
        const int fontIndex = int(style.font);
        const int pixels = int(std::lround(style.fontHeightPx));
        if (fontPixels[fontIndex] != pixels) {
            fonts[fontIndex] = reportQFont(style.font, style.fontHeightPx);
            fontPixels[fontIndex] = pixels;
            currentFont = -1;
        }
        if (fontIndex != currentFont) {
            painter.setFont(fonts[fontIndex]);
            currentFont = fontIndex;
        }
        painter.setClipRect(rect, Qt::ReplaceClip);
        for (const textlayout::Line &line : lines)
            painter.drawText(QPointF(box.leftPx + line.xPx, box.topPx + line.baselinePx), line.text);
    }
    painter.setClipping(false);
    painter.drawLines(frames.data(), int(frames.size()));
    painter.restore();
}
