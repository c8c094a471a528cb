#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class AnsiCodePage;

// How an archive's bytes were encoded; kept with its lines so that a save writes them back
// the same way.
enum class ArchiveEncoding {
    Ansi,    // no byte-order mark: the system's ANSI code page
    Utf8,    // EF BB BF
    Utf16Le, // FF FE
    Utf16Be, // FE FF
};

// The lines of an archive file exactly as split (header, second line, records), with the
// encoding they were read in. `List_b` and `List_ind` are of this type. The text of all
// lines is one implicitly shared string, so a 100k-line archive is one allocation, and a copy
// shares it safely.
class ArchiveLines
{
public:
    ArchiveLines() = default;
    ArchiveLines(const QStringList &lines, ArchiveEncoding encoding);

    qsizetype size() const { return m_spans.size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    // Line index (checked by the caller), valid while this object lives unchanged.
    QStringView line(qsizetype index) const;
    QStringList lines() const;
    ArchiveEncoding encoding() const { return m_encoding; }

    friend bool operator==(const ArchiveLines &a, const ArchiveLines &b);

private:
    struct Span
    {
        qsizetype from = 0;
        qsizetype size = 0;
    };

    friend ArchiveLines decodeArchive(QByteArrayView bytes, const AnsiCodePage &ansi);

    QString m_text;
    QList<Span> m_spans; // where each line lies in m_text
    ArchiveEncoding m_encoding = ArchiveEncoding::Ansi;
};

// Decodes a whole file's bytes: the first matching byte-order mark (UTF-8, then UTF-16 LE,
// then UTF-16 BE) chooses the encoding and is dropped; without one the ANSI code page
// decodes. Only that first mark is dropped: a later one (right after it, or at the start of
// a line) is the text's U+FEFF, and a save writes it back. A NUL ends the text. Never fails:
// undecodable bytes, the odd last byte of UTF-16 among them, become U+FFFD.
ArchiveLines decodeArchive(QByteArrayView bytes, const AnsiCodePage &ansi);

// Splits text into lines: CR LF, a lone LF and a lone CR each end a line, so LF CR is two
// line ends. A break at the very end adds no empty last line; empty text has no lines.
QStringList splitLines(QStringView text);

// The largest file readArchiveFile takes: about 30 times the largest archive the instrument
// writes. Reading holds the bytes, their text and the text of the line being decoded at
// once: at most 5 bytes of memory for each byte of the file (the UTF-16 text of an ANSI or
// UTF-8 file is twice its size, and so is one line's), plus 16 for each line, so at most
// 2.5 GiB plus the lines' share at this size.
inline constexpr qint64 maxArchiveFileBytes = qint64(512) << 20;

// Reads the whole file (read-only) and decodes it; nullopt when it cannot be opened or
// read (missing, a folder, no rights) or is larger than maxArchiveFileBytes. A file whose
// first line cannot be an archive's header (mayStartArchiveHeader) gives no lines, from its
// first bytes: the rest is neither read nor decoded.
std::optional<ArchiveLines> readArchiveFile(const QString &fileName, const AnsiCodePage &ansi);

// The bytes a save writes: the encoding's byte-order mark if it has one, then every line
// followed by CR LF, the last one included.
QByteArray encodeArchive(const ArchiveLines &archive, const AnsiCodePage &ansi);

// Replaces the file atomically: the new text goes to a temporary file beside it that is
// renamed over the target only when complete, so a failure leaves any old file whole and
// no partial file behind. False when the file could not be written.
bool writeArchiveFile(const ArchiveLines &archive, const QString &fileName,
                      const AnsiCodePage &ansi);
