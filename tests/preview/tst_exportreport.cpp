// The report a caller without a window builds is the one the window's export commands build:
// the same pages, box for box, for both tables with and without the readings.

#include "tests/report/fakecellsource.h"

#include "platform/apperror.h"
#include "platform/ui/fakeplatform.h"
#include "platform/progress.h"
#include "preview/reportcontroller.h"
#include "report/reportexport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A table of rows whose readings stop at different columns, as measurements do.
FakeCellSource tableOf(int columns, int firstReading, int rows)
{
    FakeCellSource table(columns);
    for (int r = 0; r < rows; ++r) {
        QList<std::pair<int, QString>> cells{{0, QString::number(r + 1)}};
        for (int i = 0; i < 15; ++i)
            cells.append({firstReading + i, i <= r % 15 ? QString::number(4100 + r + i) : QString()});
        table.addRow(u"r%1"_s.arg(r), cells);
    }
    return table;
}

// Pages compared box for box: the memo each comes from, where it stands and what it says.
void comparePages(const PreparedReport &got, const PreparedReport &expected)
{
    QCOMPARE(got.pages.size(), expected.pages.size());
    for (std::size_t p = 0; p < got.pages.size(); ++p) {
        const std::vector<PreparedBox> &a = got.pages[p].boxes;
        const std::vector<PreparedBox> &b = expected.pages[p].boxes;
        QCOMPARE(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].style->name, b[i].style->name);
            QCOMPARE(a[i].leftPx, b[i].leftPx);
            QCOMPARE(a[i].topPx, b[i].topPx);
            QCOMPARE(a[i].widthPx, b[i].widthPx);
            QCOMPARE(a[i].heightPx, b[i].heightPx);
            QCOMPARE(a[i].text, b[i].text);
        }
    }
}

class CountingProgress final : public Progress
{
public:
    void setMaximum(int value) override { maximum = value; }
    void setValue(int value) override { last = value; }
    int maximum = -1;
    int last = -1;
};

} // namespace

Q_DECLARE_METATYPE(TableKind)

class TestExportReport : public QObject
{
    Q_OBJECT

private slots:
    void sameAsTheWindowsExport_data();
    void sameAsTheWindowsExport();
    void missingColumnRaisesBeforeBuilding();
};

void TestExportReport::sameAsTheWindowsExport_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<bool>("showReadings");
    QTest::addColumn<int>("rows");
    QTest::newRow("basic, CSV") << TableKind::Basic << true << 90;
    QTest::newRow("basic, PDF") << TableKind::Basic << false << 90;
    QTest::newRow("individual, CSV") << TableKind::Individual << true << 41;
    QTest::newRow("individual, PDF") << TableKind::Individual << false << 41;
    QTest::newRow("empty basic") << TableKind::Basic << true << 0;
}

void TestExportReport::sameAsTheWindowsExport()
{
    QFETCH(TableKind, kind);
    QFETCH(bool, showReadings);
    QFETCH(int, rows);
    const bool basic = kind == TableKind::Basic;
    const FakeCellSource active = basic ? tableOf(kBasicColumns, 23, rows) : tableOf(kIndividualColumns, 20, rows);
    const FakeCellSource other = basic ? tableOf(kIndividualColumns, 20, 3) : tableOf(kBasicColumns, 23, 3);

    // The window's command, its file dialog answered, its writer keeping nothing.
    FakePlatform platform;
    ReportController controller(platform.dialogs, platform.regional, nullptr);
    controller.setClock([] { return QDate(2026, 12, 9); });
    const QTemporaryDir dir;
    const std::unique_ptr<FileDialog> dialog = platform.dialogs.createFileDialog(FileDialog::Kind::Save);
    platform.dialogs.fileAnswers.enqueue(dir.filePath(u"out"_s));
    NullProgress quiet;
    const ReportTables tables{basic ? active : other, basic ? other : active, kind};
    const ReportWriter keepNothing = [](const QString &, const PreparedReport &, Progress &) { return true; };
    controller.exportReport(tables, showReadings, *dialog, keepNothing, quiet);
    QVERIFY(platform.dialogs.messages().isEmpty());

    CountingProgress progress;
    const ExportReport report(active, kind, showReadings, u"09.12.2026"_s, progress);
    comparePages(report.pages(), controller.preparedReport());
    QCOMPARE(progress.maximum, rows);
    QCOMPARE(progress.last, rows);
}

void TestExportReport::missingColumnRaisesBeforeBuilding()
{
    FakeCellSource narrow(10);
    narrow.addRow(u"r"_s);
    CountingProgress progress;
    QVERIFY_THROWS_EXCEPTION(AppError, ExportReport(narrow, TableKind::Basic, false, u"09.12.2026"_s, progress));
    QCOMPARE(progress.maximum, -1);
}

QTEST_GUILESS_MAIN(TestExportReport)
#include "tst_exportreport.moc"
