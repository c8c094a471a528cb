#pragma once

#include "report/preparedpage.h"

#include <QString>

class Progress;

// Writes the prepared report as a PDF 1.7 file: one A4 landscape page (MediaBox
// 0 0 841.89 595.28) per report page, texts as real text in the report's fonts referenced
// by name, Flate-compressed content, document information with Author "Nordvekt" and
// Subject "PDF export", no encryption, printed without scaling. A report without pages
// gives one blank page, since a document needs one to open.
//
// Pages go to the file as they are made, so memory does not grow with the page count.
// The file is written beside the target and renamed over it at the end: on any failure
// the old file, if there was one, stays whole, no partial file is left, and the result is
// false. Progress counts the pages.
bool writePdf(const QString &fileName, const PreparedReport &report, Progress &progress);
