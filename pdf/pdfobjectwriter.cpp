#include "pdf/pdfobjectwriter.h"

#include "pdf/pdfsyntax.h"

#include <QIODevice>

#include <zlib.h>

#include <cstdio>

PdfObjectWriter::PdfObjectWriter(QIODevice &device) : m_device(device) {}

void PdfObjectWriter::writeHeader()
{
    write(QByteArrayLiteral("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n"));
}

int PdfObjectWriter::reserveObject()
{
    m_objectOffsets.push_back(-1);
    return int(m_objectOffsets.size());
}

void PdfObjectWriter::beginObject(int number)
{
    if (number < 1 || number > int(m_objectOffsets.size()) || m_objectOffsets[number - 1] >= 0) {
        m_ok = false;
        return;
    }
    m_objectOffsets[number - 1] = m_offset;
    QByteArray head = QByteArray::number(number);
    head.append(" 0 obj\n");
    write(head);
}

void PdfObjectWriter::endObject()
{
    write(QByteArrayLiteral("\nendobj\n"));
}

int PdfObjectWriter::beginNewObject()
{
    const int number = reserveObject();
    beginObject(number);
    return number;
}

void PdfObjectWriter::write(const QByteArray &bytes)
{
    if (!m_ok)
        return;
    if (m_device.write(bytes) != bytes.size()) {
        m_ok = false;
        return;
    }
    m_offset += bytes.size();
}

bool PdfObjectWriter::writeFlateStream(int number, QByteArrayView data)
{
    uLongf size = compressBound(uLong(data.size()));
    m_compressed.resize(qsizetype(size));
    const int result = compress2(reinterpret_cast<Bytef *>(m_compressed.data()), &size,
                                 reinterpret_cast<const Bytef *>(data.constData()),
                                 uLong(data.size()), Z_BEST_SPEED);
    if (result != Z_OK) {
        m_ok = false;
        return false;
    }
    m_compressed.resize(qsizetype(size));

    beginObject(number);
    QByteArray dict = QByteArrayLiteral("<< /Length ");
    dict.append(QByteArray::number(qsizetype(size)));
    dict.append(" /Filter /FlateDecode >>\nstream\n");
    write(dict);
    write(m_compressed);
    write(QByteArrayLiteral("\nendstream"));
    endObject();
    return m_ok;
}

void PdfObjectWriter::writeTrailer(int rootObject, int infoObject, const QByteArray &fileId)
{
    const qint64 xrefOffset = m_offset;
    const int size = int(m_objectOffsets.size()) + 1;
    QByteArray table;
    table.reserve(32 + 20 * size);
    table.append("xref\n0 ");
    table.append(QByteArray::number(size));
    table.append("\n0000000000 65535 f \n");
    char entry[32];
    for (const qint64 objectOffset : m_objectOffsets) {
        if (objectOffset < 0) {
            m_ok = false;
            return;
        }
        // Each entry is exactly 20 bytes, its end of line the two bytes " \n".
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(objectOffset));
        table.append(entry, 20);
    }
    table.append("trailer\n<< /Size ");
    table.append(QByteArray::number(size));
    table.append(" /Root ");
    appendReference(table, rootObject);
    table.append(" /Info ");
    appendReference(table, infoObject);
    table.append(" /ID [<");
    pdfsyntax::appendHex(table, fileId);
    table.append("> <");
    pdfsyntax::appendHex(table, fileId);
    table.append(">] >>\nstartxref\n");
    table.append(QByteArray::number(xrefOffset));
    table.append("\n%%EOF\n");
    write(table);
}

void appendReference(QByteArray &out, int objectNumber)
{
    out.append(QByteArray::number(objectNumber));
    out.append(" 0 R");
}
