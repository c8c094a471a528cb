#include "archive/archivetext.h"

#include "platform/ansicodepage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

struct ByteOrderMark
{
    QByteArrayView bytes;
    ArchiveEncoding encoding;
};

// Tested in this order: FF FE must not be taken for the start of a longer mark.
constexpr ByteOrderMark byteOrderMarks[] = {
    {QByteArrayView("\xEF\xBB\xBF", 3), ArchiveEncoding::Utf8},
    {QByteArrayView("\xFF\xFE", 2), ArchiveEncoding::Utf16Le},
    {QByteArrayView("\xFE\xFF", 2), ArchiveEncoding::Utf16Be},
};

QByteArrayView markOf(ArchiveEncoding encoding)
{
    for (const ByteOrderMark &mark : byteOrderMarks) {
        if (mark.encoding == encoding)
            return mark.bytes;
    }
    return {};
}

QString decodeText(QByteArrayView bytes, ArchiveEncoding encoding, const AnsiCodePage &ansi)
{
    switch (encoding) {
    case ArchiveEncoding::Ansi:
        return ansi.decode(bytes);
    case ArchiveEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case ArchiveEncoding::Utf16Le:
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes);
    case ArchiveEncoding::Utf16Be:
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes);
    }
    return {};
}

QByteArray encodeText(QStringView text, ArchiveEncoding encoding, const AnsiCodePage &ansi)
{
    switch (encoding) {
    case ArchiveEncoding::Ansi:
        return ansi.encode(text);
    case ArchiveEncoding::Utf8:
        return text.toUtf8();
    case ArchiveEncoding::Utf16Le:
        return QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case ArchiveEncoding::Utf16Be:
        return QStringEncoder(QStringConverter::Utf16BE).encode(text);
    }
    return {};
}

} // namespace

ArchiveLines decodeArchive(QByteArrayView bytes, const AnsiCodePage &ansi)
{
    ArchiveLines archive;
    for (const ByteOrderMark &mark : byteOrderMarks) {
        if (bytes.startsWith(mark.bytes)) {
            archive.encoding = mark.encoding;
            bytes = bytes.sliced(mark.bytes.size());
            break;
        }
    }
    QString text = decodeText(bytes, archive.encoding, ansi);
    // The NUL is looked for after decoding: in UTF-16 a zero byte is part of most characters.
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    archive.lines = splitLines(text);
    return archive;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    const QChar *const begin = text.data();
    const QChar *const end = begin + text.size();
    const QChar *lineStart = begin;
    for (const QChar *p = begin; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(QString(lineStart, p - lineStart));
        // Only CR LF is one break; LF CR is an LF break followed by a CR break.
        if (c == u'\r' && p + 1 != end && p[1] == u'\n')
            ++p;
        lineStart = p + 1;
    }
    if (lineStart != end)
        lines.append(QString(lineStart, end - lineStart));
    return lines;
}

std::optional<ArchiveLines> readArchiveFile(const QString &fileName, const AnsiCodePage &ansi)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeArchive(bytes, ansi);
}

QByteArray encodeArchive(const ArchiveLines &archive, const AnsiCodePage &ansi)
{
    qsizetype length = 0;
    for (const QString &line : archive.lines)
        length += line.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString &line : archive.lines) {
        text.append(line);
        text.append(u"\r\n");
    }
    QByteArray bytes = markOf(archive.encoding).toByteArray();
    bytes.append(encodeText(text, archive.encoding, ansi));
    return bytes;
}

bool writeArchiveFile(const ArchiveLines &archive, const QString &fileName,
                      const AnsiCodePage &ansi)
{
    QSaveFile file(fileName);
    // Unbuffered, so that a short write (full medium, size limit) shows in write()'s count:
    // a buffered QSaveFile can lose the failed flush and still commit the truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encodeArchive(archive, ansi);
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
