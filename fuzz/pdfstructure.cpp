#include "fuzz/pdfstructure.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype xrefEntrySize = 20;

// The decimal number at pos, moving pos past it; -1 when there are no digits there.
qint64 numberAt(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype start = pos;
    qint64 value = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9' && pos - start < 15)
        value = value * 10 + (bytes[pos++] - '0');
    return pos == start ? -1 : value;
}

bool skip(const QByteArray &bytes, qsizetype &pos, QByteArrayView expected)
{
    if (QByteArrayView(bytes).sliced(pos).startsWith(expected)) {
        pos += expected.size();
        return true;
    }
    return false;
}

} // namespace

QString pdfStructureFault(const QByteArray &pdf)
{
    if (!pdf.startsWith("%PDF-"))
        return u"no %PDF- header"_s;
    if (!pdf.endsWith("%%EOF\n"))
        return u"no %%EOF at the end"_s;
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    if (startxref < 0)
        return u"no startxref"_s;
    qsizetype pos = startxref + 10;
    const qint64 xrefOffset = numberAt(pdf, pos);
    if (xrefOffset < 0 || xrefOffset >= startxref)
        return u"startxref offset %1 outside the file"_s.arg(xrefOffset);

    pos = qsizetype(xrefOffset);
    if (!skip(pdf, pos, "xref\n0 "))
        return u"startxref does not point at \"xref\""_s;
    const qint64 count = numberAt(pdf, pos);
    if (count < 1 || !skip(pdf, pos, "\n"))
        return u"bad subsection header"_s;
    if (!skip(pdf, pos, "0000000000 65535 f \n"))
        return u"entry 0 is not the free head"_s;
    for (qint64 number = 1; number < count; ++number) {
        const QByteArray entry = pdf.mid(pos, xrefEntrySize);
        if (entry.size() != xrefEntrySize || !entry.endsWith(" 00000 n \n"))
            return u"entry %1 is not an in-use entry of 20 bytes"_s.arg(number);
        qsizetype digits = 0;
        const qint64 offset = numberAt(entry, digits);
        if (digits != 10 || offset >= xrefOffset)
            return u"entry %1 has offset %2 outside the objects"_s.arg(number).arg(offset);
        const QByteArray head = QByteArray::number(number) + " 0 obj\n";
        if (!QByteArrayView(pdf).sliced(offset).startsWith(head)
            || (offset > 0 && pdf[offset - 1] != '\n'))
            return u"entry %1 does not point at its object"_s.arg(number);
        pos += xrefEntrySize;
    }
    if (!skip(pdf, pos, "trailer\n<< /Size "))
        return u"no trailer after the table"_s;
    if (numberAt(pdf, pos) != count)
        return u"trailer /Size differs from the %1 entries"_s.arg(count);
    return {};
}
