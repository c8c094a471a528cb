#pragma once

#include "report/preparedpage.h"

class QPainter;

// Draws one prepared page for the preview and the printer. Coordinates are report pixels
// with the origin at the printable area's top-left corner; the caller sets the transform
// (scale to the device, offset by the margins) and paints the paper. Text positions come
// from textlayout::layoutBox, so the result does not depend on the installed fonts' metrics;
// text is clipped to its memo, frames are 1 px black lines on the memos' edges. The painter's
// clip is replaced while the page is drawn and restored afterwards.
void paintPage(QPainter &painter, const PreparedPage &page);
