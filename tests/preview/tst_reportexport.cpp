// The export commands end to end: the report layout and building feeding the real writers.

#include "tests/report/fakecellsource.h"

#include "csv/csvwriter.h"
#include "pdf/pdfwriter.h"
#include "platform/progress.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/fakeplatform.h"
#include "preview/reportcontroller.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Cells of a basic table row by field: Cell1..Cell8, then Cell12..Cell22 (columns 11 to 21).
void addBasicRow(FakeCellSource &table, const QStringList &first8, const QStringList &cell12to22,
                 const QStringList &readings)
{
    QList<std::pair<int, QString>> cells;
    for (int i = 0; i < first8.size(); ++i)
        cells.append({i, first8[i]});
    for (int c = 8; c <= 10; ++c)
        cells.append({c, u"unused"_s});
    for (int i = 0; i < cell12to22.size(); ++i)
        cells.append({11 + i, cell12to22[i]});
    cells.append({22, QString()});
    for (int i = 0; i < 15; ++i)
        cells.append({23 + i, i < readings.size() ? readings[i] : QString()});
    table.addRow(QString(), cells);
}

// One export command run as the main window runs it, on 9 December 2026, with the file dialog
// answered by a name in a temporary folder.
struct ExportRun
{
    FakePlatform platform;
    ReportController controller{platform.dialogs, platform.regional, nullptr};
    QTemporaryDir dir;
    std::unique_ptr<FileDialog> dialog = platform.dialogs.createFileDialog(FileDialog::Kind::Save);

    ExportRun() { controller.setClock([] { return QDate(2026, 12, 9); }); }

    ReportWriter csvWriter() const
    {
        const AnsiCodePage &ansi = *platform.ansi;
        return [&ansi](const QString &file, const PreparedReport &report, Progress &progress) {
            return writeCsv(file, report, ansi, progress);
        };
    }

    // Answers the dialog with `answer` and exports the basic table (tab 0).
    void exportBasic(const FakeCellSource &basic, const FakeCellSource &individual, bool showReadings,
                     const QString &answer, const ReportWriter &writer)
    {
        platform.dialogs.fileAnswers.enqueue(dir.filePath(answer));
        NullProgress progress;
        controller.exportReport({basic, individual, TableKind::Basic}, showReadings, *dialog, writer, progress);
    }

    QByteArray written(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class TestReportExport : public QObject
{
    Q_OBJECT

private slots:
    void csvOfTwoRows();
    void csvOfAnEmptyActiveTable();
    void pdfOf35Rows();
};

void TestReportExport::csvOfTwoRows()
{
    FakeCellSource basic(kBasicColumns);
    addBasicRow(basic, {u"1"_s, u"15.03.2019"_s, u"10:25"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s, u"Тяжелый бетон"_s, u"1,05"_s},
                {u"4120"_s, u"48,5"_s, u"200"_s, u"10,2"_s, u"58,7"_s, u"200"_s, u"32,4"_s, QString(), u"Нет"_s, u"2,5"_s, u"38,1"_s},
                {u"4120"_s, u"4135"_s, u"4128"_s});
    addBasicRow(basic, {u"2"_s, u"15.03.2019"_s, u"10:31"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s, u"Бетон"_s, u"1,05"_s},
                {u"4090"_s, u"48,9"_s, u"200"_s, u"10,2"_s, u"59,1"_s, u"200"_s, u"31,8"_s, QString(), u"Нет"_s, QString(), u"37,6"_s},
                {});
    const FakeCellSource individual(kIndividualColumns);

    ExportRun run;
    run.dialog->setDefaultExtension(u"csv"_s);
    run.exportBasic(basic, individual, true, u"report"_s, run.csvWriter());
    QVERIFY(run.platform.dialogs.messages().isEmpty());

    const QByteArray bytes = run.written(u"report.csv"_s);
    const QString expected =
        u"ЛИРАС-Д7;;09.12.2026;;;\r\n"
        u"\r\n"
        u"№;Дата;Время;Инд.зав-сть;Видпрозвуч.;Типизделия;Материал;Кс;V, м/с;T, мкс;L, мм;Т0, мкс;Т1, мкс;h, мм;"
        u"R, МПа;A, дБ;;Коррекцияпо W;;W, %;E, ГПа\r\n"
        u"1;15.03.2019;10:25;2;Сквозное;Балка;Тяжелыйбетон;1,05;4120;48,5;200;10,2;58,7;200;32,4;;;Нет;;2,5;38,1;"
        u"\";4120;4135;4128;;;;;;;;;;;;\";\r\n"
        u"2;15.03.2019;10:31;2;Сквозное;Балка;Бетон;1,05;4090;48,9;200;10,2;59,1;200;31,8;;;Нет;;;37,6;;\r\n"_s;
    QCOMPARE(run.platform.ansi->decode(bytes), expected);
    QCOMPARE(bytes.size(), 402);
    QCOMPARE(bytes.left(8).toHex(' '), QByteArray("cb c8 d0 c0 d1 2d c4 37"));
}

void TestReportExport::csvOfAnEmptyActiveTable()
{
    FakeCellSource basic(kBasicColumns);
    FakeCellSource individual(kIndividualColumns);
    individual.addRow(u"i"_s);

    ExportRun run;
    run.exportBasic(basic, individual, true, u"title.csv"_s, run.csvWriter());
    QCOMPARE(run.platform.ansi->decode(run.written(u"title.csv"_s)), u"ЛИРАС-Д7;09.12.2026\r\n"_s);
}

void TestReportExport::pdfOf35Rows()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("poppler-utils are not installed");
    FakeCellSource basic(kBasicColumns);
    for (int r = 0; r < 35; ++r)
        basic.addRow(u"r%1"_s.arg(r), {{23, u"4120"_s}});
    const FakeCellSource individual(kIndividualColumns);

    ExportRun run;
    run.exportBasic(basic, individual, false, u"report.pdf"_s, &writePdf);
    QVERIFY(run.platform.dialogs.messages().isEmpty());

    QProcess text;
    text.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, run.dir.filePath(u"report.pdf"_s), u"-"_s});
    QVERIFY(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    const QStringList pages = content.split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(u"ЛИРАС-Д7"_s));
    QVERIFY(pages[0].contains(u"09.12.2026"_s));
    QVERIFY(pages[0].contains(u"r33c21"_s));
    QVERIFY(!pages[0].contains(u"4120"_s)); // no readings in the PDF
    QVERIFY(pages[1].contains(u"r34c0"_s));
    QVERIFY(!pages[1].contains(u"Дата"_s));
}

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
