// The whole load of an archive file into a new measurement set, either kind. Properties: it
// loads exactly when the decoded file has a header and a second line and the header names a
// kind; a loaded set is of that kind, keeps the decoded lines for saving, has the rows the
// result counts, every cell readable; the damaged lines are ascending record lines.
#include "archive/archivefields.h"
#include "archive/archiveloader.h"
#include "archive/loadprogress.h"
#include "fuzz/fuzzcheck.h"
#include "platform/codepages.h"
#include "platform/regionalsettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::unique_ptr<AnsiCodePage> cyrillic = makeCodePage(1251);
    static const QTemporaryDir folder;
    static const RegionalSettings russian;
    const QByteArrayView bytes(data, qsizetype(size));

    QFile file(folder.filePath(u"archive.csv"_s));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
    file.close();

    NullLoadProgress progress;
    const LoadResult result = LoadArchive(file.fileName(), *cyrillic, russian, progress);
    const ArchiveLines decoded = decodeArchive(bytes, *cyrillic);
    const std::optional<TableKind> kind =
            decoded.size() >= 2 ? archiveKind(decoded.line(0)) : std::nullopt;
    if (!kind) {
        FUZZ_CHECK(result.outcome == LoadResult::Outcome::NotAnArchive);
        FUZZ_CHECK(!result.set);
        return 0;
    }
    FUZZ_CHECK(result.outcome == LoadResult::Outcome::Loaded);
    FUZZ_CHECK(result.kind == kind && result.set && result.set->kind() == *kind);
    FUZZ_CHECK(result.set->lines() == decoded);
    const MeasurementModel &rows = result.set->rows();
    FUZZ_CHECK(rows.rowCount() == result.rowCount);
    FUZZ_CHECK(result.rowCount <= decoded.size() - 2);
    for (int row = 0; row < rows.rowCount(); ++row) {
        for (int column = 0; column < rows.columnCount(); ++column)
            rows.cellText(column, row);
    }
    int previous = 2; // the header and the second line are no records
    for (const int line : result.damagedLines) {
        FUZZ_CHECK(line > previous && line <= decoded.size());
        previous = line;
    }
    return 0;
}
