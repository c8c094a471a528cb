#pragma once

#include <QByteArray>
#include <QString>

// The structural check of a PDF file as our writer lays it out: "startxref" names the
// offset of a classic cross-reference table of one subsection from 0; every in-use entry
// points at the start of its "N 0 obj"; the trailer's /Size is the entry count. Empty when
// all holds, else what does not.
QString pdfStructureFault(const QByteArray &pdf);
