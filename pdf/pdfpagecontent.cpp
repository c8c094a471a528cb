#include "pdf/pdfpagecontent.h"

#include "pdf/pdffontset.h"
#include "pdf/pdfsyntax.h"
#include "report/textlayout.h"

namespace pdfpage {

namespace {

constexpr double kMarginPt = reportpaper::marginMm / 25.4 * 72.0;

double xPt(double px)
{
    return kMarginPt + px * ptPerPx;
}

double yPt(double px)
{
    return heightPt - kMarginPt - px * ptPerPx;
}

// "x y w h re" for the box, lower-left corner first as PDF wants it.
void appendRect(std::string &out, const PreparedBox &box)
{
    pdfsyntax::appendNumber(out, xPt(box.leftPx));
    out += ' ';
    pdfsyntax::appendNumber(out, yPt(box.topPx + box.heightPx));
    out += ' ';
    pdfsyntax::appendNumber(out, box.widthPx * ptPerPx);
    out += ' ';
    pdfsyntax::appendNumber(out, box.heightPx * ptPerPx);
    out += " re";
}

// rect: the box's "… re", which the clip and the frame share.
void appendText(std::string &out, const PreparedBox &box, const std::string &rect, PdfFontSet &fonts)
{
    const std::vector<textlayout::Line> lines = textlayout::layoutBox(box);
    if (lines.empty())
        return;
    const double sizePt = box.style->fontHeightPx * ptPerPx;
    out += "q ";
    out += rect;
    out += " W n BT ";
    int currentResource = 0;
    double lineX = 0;
    double lineY = 0;
    for (const textlayout::Line &line : lines) {
        const double x = xPt(box.leftPx + line.xPx);
        const double y = yPt(box.topPx + line.baselinePx);
        // Td moves from the previous line's start; in a fresh text object that is the origin.
        pdfsyntax::appendNumber(out, x - lineX);
        out += ' ';
        pdfsyntax::appendNumber(out, y - lineY);
        out += " Td ";
        fonts.appendShowText(out, box.style->font, line.text, sizePt, currentResource);
        lineX = x;
        lineY = y;
    }
    out += "ET Q\n";
}

} // namespace

std::string pageContent(const PreparedPage &page, PdfFontSet &fonts)
{
    std::string out;
    out.reserve(page.boxes.size() * 160 + 64);
    std::string frames;
    std::string rect;
    for (const PreparedBox &box : page.boxes) {
        if (!box.style)
            continue;
        rect.clear();
        appendRect(rect, box);
        appendText(out, box, rect, fonts);
        if (box.style->frame) {
            frames += rect;
            frames += '\n';
        }
    }
    if (!frames.empty()) {
        out += "0 G 0.75 w\n";
        out += frames;
        out += "S\n";
    }
    return out;
}

} // namespace pdfpage
