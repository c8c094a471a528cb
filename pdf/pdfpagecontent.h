#pragma once

#include "report/preparedpage.h"

#include <string>

class PdfFontSet;

namespace pdfpage {

// A4 landscape in points, to the hundredth as viewers show it.
inline constexpr double widthPt = 841.89;
inline constexpr double heightPt = 595.28;
inline constexpr double ptPerPx = 0.75; // 72 pt against 96 report px per inch

// The content stream of one report page, uncompressed: each memo's text lines as the
// printed page shows them (textlayout), clipped to the memo's rectangle, then the 1 px
// frames as 0.75 pt lines. Positions are the prepared ones from the printable area's
// top-left corner, turned into PDF's upward y axis from the paper's lower-left corner.
// Boxes without a style are left out.
std::string pageContent(const PreparedPage &page, PdfFontSet &fonts);

} // namespace pdfpage
