#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class QIODevice;

// Writes the objects of one PDF file, in the order they come, to a device and remembers
// where each begins, so that the cross-reference table can be written at the end without
// keeping any object in memory. After a failed device write ok() is false and every
// further write is skipped.
class PdfObjectWriter
{
public:
    explicit PdfObjectWriter(QIODevice &device);

    // "%PDF-1.7" and the comment of four bytes above 127 that marks the file as binary.
    void writeHeader();

    // A number for an object written later; objects may refer to it before it is written.
    int reserveObject();
    // Starts the object of a reserved number at the current offset.
    void beginObject(int number);
    void endObject();
    // Reserves a number and starts its object; returns the number.
    int beginNewObject();

    void write(const QByteArray &bytes);

    // A whole stream object of the reserved number: the data Flate-compressed, with its
    // /Length and /Filter. Returns false (and ok() turns false) if compression fails.
    bool writeFlateStream(int number, QByteArrayView data);

    // The cross-reference table of every object begun so far and the trailer. Every
    // reserved number must have been written by then; a gap makes ok() false.
    void writeTrailer(int rootObject, int infoObject, const QByteArray &fileId);

    bool ok() const { return m_ok; }
    qint64 offset() const { return m_offset; }

private:
    QIODevice &m_device;
    qint64 m_offset = 0;
    bool m_ok = true;
    std::vector<qint64> m_objectOffsets; // index = object number - 1; -1 until written
    QByteArray m_compressed;             // reused between streams
};

// Writes "n 0 R" to the buffer.
void appendReference(QByteArray &out, int objectNumber);
