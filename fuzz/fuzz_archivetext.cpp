// Archive bytes → decode → lines → fields → kind test. Properties: a save of the decoded
// lines decodes to the same lines and saves to the same bytes again; a file that is already
// what a save writes (a mark or none, every line ended by CR LF, nothing undecodable) saves
// byte for byte as it was; reading it from disk gives the decoded lines, or none only when it
// is no archive.
#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "fuzz/fuzzcheck.h"
#include "platform/codepages.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

const AnsiCodePage &cyrillic()
{
    static const std::unique_ptr<AnsiCodePage> codePage = makeCodePage(1251);
    return *codePage;
}

// Text whose every line ends in CR LF and holds no lone CR, LF or NUL.
bool hasOnlyCrLfBreaks(QStringView text)
{
    if (!text.isEmpty() && !text.endsWith(u"\r\n"))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\0')
            return false;
        if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

// Whether bytes are exactly what encodeArchive writes for some lines.
bool isAsSaved(QByteArrayView bytes, ArchiveEncoding encoding)
{
    QStringConverter::Encoding unicode = QStringConverter::Utf8;
    switch (encoding) {
    case ArchiveEncoding::Ansi:
        // Every byte of Windows-1251 reads back as itself.
        return hasOnlyCrLfBreaks(cyrillic().decode(bytes));
    case ArchiveEncoding::Utf8:
        bytes = bytes.sliced(3);
        break;
    case ArchiveEncoding::Utf16Le:
        unicode = QStringConverter::Utf16LE;
        bytes = bytes.sliced(2);
        break;
    case ArchiveEncoding::Utf16Be:
        unicode = QStringConverter::Utf16BE;
        bytes = bytes.sliced(2);
        break;
    }
    QStringDecoder decoder(unicode, QStringConverter::Flag::ConvertInitialBom
                                            | QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || (unicode != QStringConverter::Utf8 && bytes.size() % 2 != 0))
        return false;
    return hasOnlyCrLfBreaks(text);
}

QString inputFileName()
{
    static const QTemporaryDir folder;
    return folder.filePath(u"input.csv"_s);
}

void checkFields(QStringView line)
{
    const QStringList fields = splitFields(line, u';');
    qsizetype viewed = 0;
    forEachField(line, u';', [&viewed](const FieldView &) { ++viewed; });
    FUZZ_CHECK(viewed == fields.size());
    // Without quotes, the fields are the line cut at every delimiter.
    if (!line.contains(u'"'))
        FUZZ_CHECK(line.isEmpty() ? fields.isEmpty() : fields.join(u';') == line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const AnsiCodePage &ansi = cyrillic();
    const ArchiveLines decoded = decodeArchive(bytes, ansi);
    for (qsizetype i = 0; i < decoded.size(); ++i)
        checkFields(decoded.line(i));
    const std::optional<TableKind> kind =
            decoded.isEmpty() ? std::nullopt : archiveKind(decoded.line(0));

    const QByteArray saved = encodeArchive(decoded, ansi);
    const ArchiveLines reread = decodeArchive(saved, ansi);
    FUZZ_CHECK(reread == decoded);
    FUZZ_CHECK(encodeArchive(reread, ansi) == saved);
    if (isAsSaved(bytes, decoded.encoding()))
        FUZZ_CHECK(saved == bytes);

    QFile file(inputFileName());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
    file.close();
    const std::optional<ArchiveLines> read = readArchiveFile(file.fileName(), ansi);
    FUZZ_CHECK(read.has_value());
    // A file that cannot be an archive may come back without lines, undecoded.
    FUZZ_CHECK(*read == decoded || (read->isEmpty() && !kind));
    return 0;
}
