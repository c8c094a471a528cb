#pragma once

#include "report/preparedpage.h"

#include <QString>

#include <vector>

// How a box's text sits in its memo on a printed page. The painter (preview, printer) and
// the PDF writer both draw exactly these lines, so the two outputs break lines alike.
namespace textlayout {

struct Line
{
    QString text;
    double xPx = 0;        // left end of the text, from the box's left edge
    double baselinePx = 0; // from the box's top edge
};

// The lines of the box: each stored line ('\n'-separated) word-wrapped on its own to the
// inner width (the width less the 2 px insets left and right), with the memo's alignment,
// 1 px top inset and 2 px extra spacing between lines. Lines that start below the box's
// bottom are left out; what overhangs the box is for the output to clip.
std::vector<Line> layoutBox(const PreparedBox &box);

} // namespace textlayout
