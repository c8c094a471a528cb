// The program's command line as a script meets it: the real executable, with no display.
#include "app/Unit2.h"
#include "platform/ui/fakeplatform.h"
#include "tests/support/writefaults.h"

#include <QAction>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The environment of a machine with no display at all, Russian as a user's there.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"LC_ALL"_s})
        environment.remove(name);
    environment.insert(u"LANG"_s, u"ru_RU.UTF-8"_s);
    return environment;
}

struct Finished
{
    int exitCode = -1;
    QString output;
    QString errors;
};

// Runs the program to its end; a crash or a hang fails the calling test.
bool runProgram(const QStringList &arguments, Finished &finished)
{
    QProcess program;
    program.setProcessEnvironment(withoutDisplay());
    program.start(qEnvironmentVariable("LIRAS_EXECUTABLE"), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return false;
    finished.exitCode = program.exitCode();
    finished.output = QString::fromUtf8(program.readAllStandardOutput());
    finished.errors = QString::fromUtf8(program.readAllStandardError());
    return true;
}

QString exampleArchive(const QString &name)
{
    return qEnvironmentVariable("LIRAS_SOURCE_DIR") + u"/examples/instrument/ARCHIVE/"_s + name;
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool putFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The title line of the report as the CSV holds it: "ЛИРАС-Д7", today's date, in Windows-1251.
QByteArray csvTitleLine()
{
    const QByteArray name("\xCB\xC8\xD0\xC0\xD1-\xC4" "7");
    return name + ";;" + QDate::currentDate().toString(u"dd.MM.yyyy"_s).toLatin1() + ";;;\r\n";
}

// What the report file must be after the run.
enum class Output { Pdf, Csv, Absent, OldKept };

} // namespace

Q_DECLARE_METATYPE(Output)

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void withoutDisplay_data();
    void withoutDisplay();
    void exports_data();
    void exports();
    void outputCutShortKeepsTheOldFile();
    void csvIsTheWindows_data();
    void csvIsTheWindows();

private:
    QTemporaryDir m_dir;
    QString m_notArchive;
    QString m_damaged;
};

void TestCommandLine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_notArchive = m_dir.filePath(u"notes.csv"_s);
    QVERIFY(putFile(m_notArchive, "Notes;not an archive\r\nline;two\r\n"));
    // The third record cut after its tenth field: the archive loads, with one damaged record.
    QList<QByteArray> lines = contents(exampleArchive(u"archive_basic.csv"_s)).split('\n');
    QVERIFY(lines.size() > 5);
    lines[4] = lines[4].split(';').mid(0, 10).join(';') + '\r';
    m_damaged = m_dir.filePath(u"damaged.csv"_s);
    QVERIFY(putFile(m_damaged, lines.join('\n')));
}

void TestCommandLine::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outputHas");
    QTest::addColumn<QStringList>("errorHas");

    const QString version = u"ЛИРАС-Д7 "_s + QStringLiteral(LIRAS_VERSION) + u'\n';
    QTest::newRow("version") << QStringList{u"--version"_s} << 0 << QStringList{version}
                             << QStringList{};
    QTest::newRow("version, short") << QStringList{u"-v"_s} << 0 << QStringList{version}
                                    << QStringList{};
    // A file name beside an option that ends the program changes nothing.
    QTest::newRow("version with a file") << QStringList{u"archive.csv"_s, u"--version"_s} << 0
                                         << QStringList{version} << QStringList{};
    const QStringList helpTexts{u"Использование:"_s, u"Программа для передачи данных с прибора ЛИРАС-Д7."_s,
                                u"--version"_s, u"Показать версию программы и выйти."_s,
                                u"--help"_s, u"Показать эту справку и выйти."_s,
                                u"--pdf <файл>"_s, u"--csv <файл>"_s,
                                u"liras-d7 archive_basic.csv archive_individual.csv\n"_s,
                                u"liras-d7 --pdf отчет.pdf archive_basic.csv\n"_s,
                                u"liras-d7 --csv отчет.csv archive_individual.csv\n"_s};
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << helpTexts << QStringList{};
    QTest::newRow("help, short") << QStringList{u"-h"_s} << 0 << helpTexts << QStringList{};
    QTest::newRow("unknown option")
        << QStringList{u"--bogus"_s} << 1 << QStringList{}
        << QStringList{u"Неизвестный параметр «bogus»."_s, u"Справка: liras-d7 --help"_s};
}

void TestCommandLine::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outputHas);
    QFETCH(QStringList, errorHas);

    Finished run;
    QVERIFY(runProgram(arguments, run));
    QCOMPARE(run.exitCode, exitCode);
    for (const QString &text : outputHas)
        QVERIFY2(run.output.contains(text), qPrintable(run.output));
    for (const QString &text : errorHas)
        QVERIFY2(run.errors.contains(text), qPrintable(run.errors));
    if (exitCode != 0)
        QVERIFY(run.output.isEmpty());
}

// OUT and ARCHIVE in the arguments stand for the report file and the archive of the row.
void TestCommandLine::exports_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<bool>("outExists"); // an old report is there before the run
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // what standard error holds; empty: nothing
    QTest::addColumn<Output>("output");

    const QString basic = exampleArchive(u"archive_basic.csv"_s);
    const QString individual = exampleArchive(u"archive_individual.csv"_s);
    const QStringList pdf{u"--pdf"_s, u"OUT"_s, u"ARCHIVE"_s};
    const QStringList csv{u"--csv"_s, u"OUT"_s, u"ARCHIVE"_s};
    const QString readFailed = u"Ошибка чтения файла!\n"_s;
    const QString notArchive = u"Файл не является архивом!\n"_s;

    QTest::newRow("pdf, basic") << pdf << basic << false << 0 << QString() << Output::Pdf;
    QTest::newRow("pdf, individual") << pdf << individual << false << 0 << QString() << Output::Pdf;
    QTest::newRow("csv, basic") << csv << basic << false << 0 << QString() << Output::Csv;
    QTest::newRow("csv, individual") << csv << individual << false << 0 << QString() << Output::Csv;
    QTest::newRow("csv, archive first") << QStringList{u"ARCHIVE"_s, u"--csv"_s, u"OUT"_s} << basic << false << 0
                                        << QString() << Output::Csv;
    QTest::newRow("old csv replaced") << csv << basic << true << 0 << QString() << Output::Csv;
    QTest::newRow("old pdf replaced") << pdf << individual << true << 0 << QString() << Output::Pdf;
    QTest::newRow("damaged records still export")
        << csv << m_damaged << false << 0 << u"Повреждённых записей в архиве: 1 (строка 5).\n"_s << Output::Csv;
    QTest::newRow("not an archive") << pdf << m_notArchive << false << 2 << notArchive << Output::Absent;
    QTest::newRow("not an archive, old file") << csv << m_notArchive << true << 2 << notArchive << Output::OldKept;
    QTest::newRow("missing archive") << csv << m_dir.filePath(u"missing.csv"_s) << false << 2 << readFailed
                                     << Output::Absent;
    QTest::newRow("archive is a folder") << pdf << m_dir.path() << false << 2 << readFailed << Output::Absent;
    QTest::newRow("output in a missing folder")
        << QStringList{u"--csv"_s, m_dir.filePath(u"no/such/folder/report.csv"_s), u"ARCHIVE"_s} << basic << false
        << 3 << u"Ошибка сохранения файла!\n"_s << Output::Absent;
    QTest::newRow("output is a folder") << QStringList{u"--pdf"_s, m_dir.path(), u"ARCHIVE"_s} << basic << false
                                        << 3 << u"Ошибка сохранения файла!\n"_s << Output::Absent;

    const QString help = u"Справка: liras-d7 --help"_s;
    QTest::newRow("pdf without archive") << QStringList{u"--pdf"_s, u"OUT"_s} << basic << false << 1 << help
                                         << Output::Absent;
    QTest::newRow("pdf without file names") << QStringList{u"--pdf"_s} << basic << false << 1 << help
                                            << Output::Absent;
    QTest::newRow("two archives") << QStringList{u"--csv"_s, u"OUT"_s, u"ARCHIVE"_s, individual} << basic << false
                                  << 1 << help << Output::Absent;
    QTest::newRow("pdf and csv") << QStringList{u"--pdf"_s, u"OUT"_s, u"--csv"_s, u"OUT"_s, u"ARCHIVE"_s} << basic
                                 << false << 1 << help << Output::Absent;
    QTest::newRow("two outputs") << QStringList{u"--csv"_s, u"OUT"_s, u"--csv"_s, u"OUT"_s, u"ARCHIVE"_s} << basic
                                 << false << 1 << help << Output::Absent;
}

void TestCommandLine::exports()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, archive);
    QFETCH(bool, outExists);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QFETCH(Output, output);

    const QTemporaryDir outDir;
    const QString out = outDir.filePath(u"report.out"_s);
    const QByteArray old = "old report\r\n";
    if (outExists)
        QVERIFY(putFile(out, old));
    arguments.replaceInStrings(u"OUT"_s, out);
    arguments.replaceInStrings(u"ARCHIVE"_s, archive);

    Finished run;
    QVERIFY(runProgram(arguments, run));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(error.isEmpty() ? run.errors.isEmpty() : run.errors.contains(error), qPrintable(run.errors));
    QVERIFY(run.output.isEmpty());

    const QByteArray written = contents(out);
    switch (output) {
    case Output::Pdf:
        QVERIFY(written.startsWith("%PDF-1.7\n"));
        QVERIFY(written.endsWith("%%EOF\n"));
        break;
    case Output::Csv:
        QVERIFY2(written.startsWith(csvTitleLine()), written.left(40).toHex(' ').constData());
        break;
    case Output::Absent:
        QVERIFY(!QFile::exists(out));
        break;
    case Output::OldKept:
        QCOMPARE(written, old);
        break;
    }
    // Nothing but the report: no temporary file left beside it.
    QVERIFY(outDir.isValid());
    QVERIFY(writefaults::folderEntries(outDir.path()).size() <= 1);
}

// A medium that fills up half-way: the program ends with 3 and the old report is as it was,
// with no temporary file left beside it. The file size limit is inherited by the program.
void TestCommandLine::outputCutShortKeepsTheOldFile()
{
    const writefaults::OldTarget target(u"report.pdf"_s);
    QVERIFY(target.isValid());
    Finished run;
    bool finished = false;
    QVERIFY(writefaults::runUnderLimit(2000, [&] {
        finished = runProgram({u"--pdf"_s, target.path(), exampleArchive(u"archive_basic.csv"_s)}, run);
    }));
    QVERIFY(finished);
    QCOMPARE(run.exitCode, 3);
    QCOMPARE(run.errors, u"Ошибка сохранения файла!\n"_s);
    QCOMPARE(target.bytes(), target.oldBytes());
    QVERIFY(target.isAlone());
}

void TestCommandLine::csvIsTheWindows_data()
{
    QTest::addColumn<QString>("archive");
    QTest::newRow("basic") << u"archive_basic.csv"_s;
    QTest::newRow("individual") << u"archive_individual.csv"_s;
}

// The same archive on the same day: "CSV" of the main window, opened through "&Открыть
// файл...", and --csv write the same bytes.
void TestCommandLine::csvIsTheWindows()
{
    QFETCH(QString, archive);
    const QTemporaryDir dir;
    const QString fromWindow = dir.filePath(u"window.csv"_s);
    const QString fromCommandLine = dir.filePath(u"command-line.csv"_s);

    FakePlatform fake;
    TForm1 form(fake.platform());
    fake.dialogs.fileAnswers.enqueue(exampleArchive(archive));
    form.FileOpen1->trigger();
    fake.dialogs.fileAnswers.enqueue(fromWindow);
    form.CSV1->trigger();
    QCOMPARE(fake.dialogs.messages(), QStringList());

    Finished run;
    QVERIFY(runProgram({u"--csv"_s, fromCommandLine, exampleArchive(archive)}, run));
    QCOMPARE(run.exitCode, 0);
    const QByteArray windowBytes = contents(fromWindow);
    QVERIFY(windowBytes.startsWith(csvTitleLine()));
    QCOMPARE(contents(fromCommandLine), windowBytes);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
