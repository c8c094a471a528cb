#include "archive/archiveloader.h"

#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "archive/loadprogress.h"
#include "archive/recordfill.h"
#include "tables/tabledefinition.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int firstRecordLine = 2; // after the header and the second line
constexpr int damagedLinesNamed = 5;

// The common end of every load, reached also when filling raises.
class ClearProgressAtEnd
{
public:
    explicit ClearProgressAtEnd(LoadProgress &progress) : m_progress(progress) {}
    ~ClearProgressAtEnd()
    {
        m_progress.setStatusText(QString());
        m_progress.setValue(0);
    }
    ClearProgressAtEnd(const ClearProgressAtEnd &) = delete;
    ClearProgressAtEnd &operator=(const ClearProgressAtEnd &) = delete;

private:
    LoadProgress &m_progress;
};

} // namespace

LoadResult LoadArchive(const QString &fileName, const AnsiCodePage &ansi,
                       const RegionalSettings &regional, LoadProgress &progress)
{
    const ClearProgressAtEnd clearAtEnd(progress);
    LoadResult result;
    std::optional<ArchiveLines> archive = readArchiveFile(fileName, ansi);
    if (!archive) {
        result.outcome = LoadResult::Outcome::ReadFailed;
        return result;
    }
    const std::optional<TableKind> kind =
            archive->size() >= firstRecordLine ? archiveKind(archive->line(0)) : std::nullopt;
    if (!kind) {
        result.outcome = LoadResult::Outcome::NotAnArchive;
        return result;
    }

    const TableDefinition &definition = definitionOf(*kind);
    const int rowCount = recordRowCount(*archive);
    progress.setMaximum(int(archive->size() - firstRecordLine));
    progress.setStatusText(definition.loadStatusPrefix + QString::number(rowCount)
                           + u" измерений"_s);
    MeasurementSet set(*kind, regional);
    result.damagedLines = fillRecords(set.rows(), *archive, definition, progress);
    set.setLines(std::move(*archive));

    result.outcome = LoadResult::Outcome::Loaded;
    result.set = std::move(set);
    result.kind = kind;
    result.rowCount = rowCount;
    return result;
}

QString damagedRecordsText(const QList<int> &damagedLines)
{
    QStringList named;
    for (qsizetype i = 0; i < qMin<qsizetype>(damagedLines.size(), damagedLinesNamed); ++i)
        named.append(QString::number(damagedLines[i]));
    QString text = u"Повреждённых записей в архиве: "_s + QString::number(damagedLines.size())
            + (damagedLines.size() == 1 ? u" (строка "_s : u" (строки "_s)
            + named.join(u", "_s);
    if (damagedLines.size() > damagedLinesNamed)
        text += u" и другие"_s;
    return text + u")."_s;
}
