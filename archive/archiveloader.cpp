#include "archive/archiveloader.h"

#include "archive/archivehost.h"
#include "archive/archivelayout.h"
#include "archive/archivetext.h"
#include "platform/progress.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/platform.h"
#include "tables/measurementtable.h"
#include "tables/tabledefinition.h"

#include <QStringList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar recordDelimiter = u';';
constexpr int firstRecordLine = 2; // after the header and the second line
constexpr int damagedLinesNamed = 5;

// Blank lines give no row; every other record gives one row, whatever its field count.
int recordRowCount(const ArchiveLines &lines)
{
    int rowCount = 0;
    for (qsizetype i = firstRecordLine; i < lines.size(); ++i) {
        if (!lines.line(i).isEmpty())
            ++rowCount;
    }
    return rowCount;
}

// Where the value of a field with doubled quotes was written out: its cell views it once the
// whole record is split, when the string holding it no longer grows and moves.
struct PendingValue
{
    std::size_t column;
    qsizetype from;
    qsizetype size;
};

// Fills the rows and returns the 1-based line numbers of the records with too few or too
// many fields. Each record is split once, for its cells and its field count alike, and
// written as one row: the cells are views into the archive's text wherever they can be.
QList<int> fillRows(MeasurementTable &table, const ArchiveLines &lines,
                    const ArchiveLayout &layout, Progress &progress)
{
    QList<int> damagedLines;
    const int fixed = layout.table.fixedFieldCount;
    const int firstReading = layout.table.firstReadingColumn;
    std::vector<QStringView> cells(std::size_t(layout.table.columnCount()));
    std::vector<PendingValue> pending;
    QString values; // of the fields with doubled quotes, in one string reused for every line
    QString number;
    int row = 0;
    for (qsizetype i = firstRecordLine; i < lines.size(); ++i) {
        progress.setValue(int(i));
        const QStringView line = lines.line(i);
        std::fill(cells.begin(), cells.end(), QStringView());
        pending.clear();
        values.resize(0);
        int count = 0;
        forEachField(line, recordDelimiter, [&](const FieldView &field) {
            // Fixed fields go to columns 1..F, the first 15 readings from the first reading
            // column on; readings beyond those stay in the archive lines only.
            const int reading = count - fixed;
            const int column = reading < 0 ? count + 1
                    : reading < ArchiveLayout::readingColumns ? firstReading + reading : -1;
            ++count;
            if (column < 0)
                return;
            if (!field.doubledQuotes) {
                cells[std::size_t(column)] = field.text;
                return;
            }
            const qsizetype from = values.size();
            field.appendValueTo(values);
            pending.push_back({std::size_t(column), from, values.size() - from});
        });
        if (count < fixed || count > fixed + ArchiveLayout::readingColumns)
            damagedLines.append(int(i + 1));
        if (count == 0)
            continue; // a blank line
        for (const PendingValue &value : pending)
            cells[value.column] = QStringView(values).sliced(value.from, value.size);
        // The running number is the record's own (line index - 1), also past blank lines.
        number.setNum(i - 1);
        cells[0] = number;
        table.setRowTexts(row, cells);
        ++row;
    }
    return damagedLines;
}

// Replaces the table's rows inside one update batch. Should the table raise half-way, its
// rows are removed again and the batch is closed, so no half-filled table is left behind.
QList<int> fillTable(MeasurementTable &table, const ArchiveLines &lines,
                     const ArchiveLayout &layout, int rowCount, Progress &progress)
{
    QList<int> damagedLines;
    table.clearRows();
    table.beginUpdate();
    try {
        table.appendRows(rowCount);
        if (rowCount > 0) {
            for (int column = 0; column < layout.table.fixedFieldCount; ++column)
                table.setFillMode(column, true);
        }
        damagedLines = fillRows(table, lines, layout, progress);
    } catch (...) {
        table.clearRows();
        table.endUpdate();
        throw;
    }
    table.endUpdate();
    return damagedLines;
}

bool anyTabVisible(const ArchiveHost &host)
{
    return host.isTabVisible(ArchiveKind::Basic) || host.isTabVisible(ArchiveKind::Individual);
}

// Run after every load, whatever its outcome.
void finishLoad(ArchiveHost &host)
{
    host.setStatusText(QString());
    host.progress().setValue(0);
    host.alignActiveTable();
    if (anyTabVisible(host))
        host.EnableDataCommands();
}

LoadResult loadChecked(const QString &fileName, ArchiveHost &host, const Platform &platform)
{
    LoadResult result;
    std::optional<ArchiveLines> archive = readArchiveFile(fileName, platform.ansi);
    if (!archive) {
        result.outcome = LoadResult::Outcome::ReadFailed;
        platform.dialogs.message(host.dialogParent(), u"Ошибка чтения файла!"_s);
        return result;
    }
    const ArchiveLines &lines = *archive;
    const std::optional<ArchiveKind> kind =
            lines.size() >= firstRecordLine ? archiveKind(lines.line(0)) : std::nullopt;
    if (!kind) {
        result.outcome = LoadResult::Outcome::NotAnArchive;
        platform.dialogs.message(host.dialogParent(), u"Файл не является архивом!"_s);
        return result;
    }

    const ArchiveLayout &layout = archiveLayout(*kind);
    const int rowCount = recordRowCount(lines);
    host.progress().setMaximum(int(lines.size() - firstRecordLine));
    host.setStatusText(layout.progressPrefix + QString::number(rowCount) + u" измерений"_s);
    QList<int> damagedLines =
            fillTable(host.table(*kind), lines, layout, rowCount, host.progress());
    host.archiveLines(*kind) = std::move(*archive);
    host.setTabVisible(*kind, true);
    host.setActivePage(*kind);

    result.outcome = LoadResult::Outcome::Loaded;
    result.kind = kind;
    result.rowCount = rowCount;
    result.damagedLines = std::move(damagedLines);
    return result;
}

} // namespace

LoadResult LoadArchive(const QString &fileName, ArchiveHost &host, const Platform &platform)
{
    LoadResult result;
    try {
        result = loadChecked(fileName, host, platform);
    } catch (...) {
        host.setStatusText(QString());
        host.progress().setValue(0);
        throw;
    }
    finishLoad(host);
    if (!result.damagedLines.isEmpty())
        platform.dialogs.message(host.dialogParent(), damagedRecordsText(result.damagedLines));
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
