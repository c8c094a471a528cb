#include "archive/archivetext.h"

#include "archive/archivefields.h"
#include "platform/ansicodepage.h"
#include "platform/largememory.h"
#include "platform/savefile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

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

// A decoder of a Unicode encoding to which every byte-order mark is text. The file's own
// mark is dropped before decoding; one that dropped a leading mark at each call would also
// lose one that starts a line or follows the first. Stateless, so that a sequence cut off at
// the end of one piece becomes U+FFFD there instead of waiting for the next piece.
QStringDecoder markKeepingDecoder(QStringConverter::Encoding encoding)
{
    return QStringDecoder(encoding, QStringConverter::Flag::ConvertInitialBom
                                            | QStringConverter::Flag::Stateless);
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

// Calls onLine(begin, end) for every line of [begin, end): CR LF, a lone LF and a lone CR
// each end a line, so LF CR is two line ends; a break at the very end adds no empty line.
// One rule for bytes and for text keeps the two paths of decoding alike.
template<typename Char, typename OnLine>
void forEachLine(const Char *begin, const Char *end, OnLine &&onLine)
{
    const Char *lineStart = begin;
    for (const Char *p = begin; p != end; ++p) {
        if (*p != Char('\r') && *p != Char('\n'))
            continue;
        onLine(lineStart, p);
        if (*p == Char('\r') && p + 1 != end && p[1] == Char('\n'))
            ++p;
        lineStart = p + 1;
    }
    if (lineStart != end)
        onLine(lineStart, end);
}

// Enough bytes for the first headerStartLength characters in every encoding, a mark and
// up to four bytes a character, and for a little more than the header.
constexpr std::size_t headerProbeBytes = 256;

} // namespace

ArchiveLines::ArchiveLines(const QStringList &lines, ArchiveEncoding encoding)
    : m_encoding(encoding)
{
    m_spans.reserve(lines.size());
    for (const QString &line : lines) {
        m_spans.append(Span{m_text.size(), line.size()});
        m_text.append(line);
    }
}

QStringView ArchiveLines::line(qsizetype index) const
{
    const Span &span = m_spans[index];
    return QStringView(m_text).sliced(span.from, span.size);
}

QStringList ArchiveLines::lines() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines.append(line(i).toString());
    return lines;
}

bool operator==(const ArchiveLines &a, const ArchiveLines &b)
{
    if (a.m_encoding != b.m_encoding || a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.line(i) != b.line(i))
            return false;
    }
    return true;
}

ArchiveLines decodeArchive(QByteArrayView bytes, const AnsiCodePage &ansi)
{
    ArchiveLines archive;
    for (const ByteOrderMark &mark : byteOrderMarks) {
        if (bytes.startsWith(mark.bytes)) {
            archive.m_encoding = mark.encoding;
            bytes = bytes.sliced(mark.bytes.size());
            break;
        }
    }
    if (archive.m_encoding == ArchiveEncoding::Utf16Le
        || archive.m_encoding == ArchiveEncoding::Utf16Be) {
        // In UTF-16 zero bytes belong to most characters: the NUL is looked for in the text.
        // The decoded text is kept whole; the lines are its pieces between the breaks.
        // An odd last byte is half a character: undecodable, so U+FFFD, not nothing.
        const bool oddByte = bytes.size() % 2 != 0;
        archive.m_text = markKeepingDecoder(archive.m_encoding == ArchiveEncoding::Utf16Le
                                                    ? QStringConverter::Utf16LE
                                                    : QStringConverter::Utf16BE)
                                 .decode(bytes.first(bytes.size() - (oddByte ? 1 : 0)));
        if (oddByte)
            archive.m_text.append(QChar::ReplacementCharacter);
        const qsizetype nul = archive.m_text.indexOf(QChar(u'\0'));
        if (nul >= 0)
            archive.m_text.truncate(nul);
        const char16_t *begin = QStringView(archive.m_text).utf16();
        forEachLine(begin, begin + archive.m_text.size(),
                    [&](const char16_t *from, const char16_t *to) {
                        archive.m_spans.append(ArchiveLines::Span{from - begin, to - from});
                    });
        return archive;
    }
    // In UTF-8 and the ANSI code pages a zero byte, a CR and an LF are those characters
    // and nothing else, so the bytes are split first and decoded line by line, one after
    // the other into the shared text. No byte gives more than one UTF-16 unit, so the text
    // is sized once, in memory advised for huge pages before anything touches it.
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    archive.m_text.reserve(bytes.size());
    adviseHugePages(archive.m_text.data(), std::size_t(archive.m_text.capacity()) * sizeof(QChar));
    // Every line but a CR-only one ends in an LF: the list is sized once instead of regrowing.
    archive.m_spans.reserve(qsizetype(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    const bool utf8 = archive.m_encoding == ArchiveEncoding::Utf8;
    const QByteArrayView utf8Mark = markOf(ArchiveEncoding::Utf8);
    QStringDecoder markKeepingUtf8 = markKeepingDecoder(QStringConverter::Utf8);
    forEachLine(bytes.data(), bytes.data() + bytes.size(), [&](const char *from, const char *to) {
        const QByteArrayView lineBytes(from, to);
        QString line;
        if (!utf8)
            line = ansi.decode(lineBytes);
        else if (lineBytes.startsWith(utf8Mark)) // the faster fromUtf8 would drop the mark
            line = markKeepingUtf8.decode(lineBytes);
        else
            line = QString::fromUtf8(lineBytes);
        archive.m_spans.append(ArchiveLines::Span{archive.m_text.size(), line.size()});
        archive.m_text.append(line);
    });
    return archive;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    const char16_t *begin = text.utf16();
    forEachLine(begin, begin + text.size(), [&lines](const char16_t *from, const char16_t *to) {
        lines.append(QStringView(from, to).toString());
    });
    return lines;
}

std::optional<ArchiveLines> readArchiveFile(const QString &fileName, const AnsiCodePage &ansi)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    if (file.size() > maxArchiveFileBytes)
        return std::nullopt;
    // The bytes live only while they are decoded, in memory that fills with few page faults.
    // One byte more than the size shows the end is reached; a file that grows while it is
    // read gets a larger buffer, up to the ceiling.
    LargeMemory buffer(std::size_t(qMax<qint64>(file.size(), 0)) + 1);
    std::size_t used = 0;
    bool headerChecked = false;
    for (;;) {
        if (used == buffer.size()) {
            if (used > std::size_t(maxArchiveFileBytes))
                return std::nullopt;
            LargeMemory larger(2 * buffer.size());
            std::memcpy(larger.data(), buffer.data(), used);
            buffer = std::move(larger);
        }
        // The start comes first, alone: a file that cannot begin with a header is turned
        // away before the rest is read or anything decoded.
        const std::size_t wanted = headerChecked ? buffer.size() - used
                                                 : qMin(buffer.size(), headerProbeBytes) - used;
        const qint64 got = file.read(reinterpret_cast<char *>(buffer.data()) + used,
                                     qint64(wanted));
        if (got < 0)
            return std::nullopt;
        used += std::size_t(got);
        if (!headerChecked && (used == headerProbeBytes || got == 0)) {
            headerChecked = true;
            const ArchiveLines start =
                    decodeArchive(QByteArrayView(buffer.data(), qsizetype(used)), ansi);
            if (start.isEmpty() || !mayStartArchiveHeader(start.line(0)))
                return ArchiveLines();
        }
        if (got == 0)
            break;
    }
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeArchive(QByteArrayView(buffer.data(), qsizetype(used)), ansi);
}

QByteArray encodeArchive(const ArchiveLines &archive, const AnsiCodePage &ansi)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < archive.size(); ++i)
        length += archive.line(i).size() + 2;
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; i < archive.size(); ++i) {
        text.append(archive.line(i));
        text.append(u"\r\n");
    }
    QByteArray bytes = markOf(archive.encoding()).toByteArray();
    bytes.append(encodeText(text, archive.encoding(), ansi));
    return bytes;
}

bool writeArchiveFile(const ArchiveLines &archive, const QString &fileName,
                      const AnsiCodePage &ansi)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeArchive(archive, ansi);
    return file.write(bytes) == bytes.size() && commitSaveFile(file);
}
