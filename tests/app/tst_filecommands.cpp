// The archive commands of the "Файл" menu through the real main window, with the scripted
// platform answering every dialog and box: open, save as, close, the instrument's disk, and
// what a load that fails at any point leaves behind.
#include "app/Unit2.h"
#include "archive/drivediscovery.h"
#include "platform/apperror.h"
#include "platform/ui/fakeplatform.h"
#include "tables/measurementgrid.h"
#include "tests/archive/archivefixtures.h"
#include "tests/chart/errorcapture.h"
#include "tests/support/writefaults.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

using Kind = FakeDialogs::Shown::Kind;

Q_DECLARE_METATYPE(TableKind)

namespace {

// The header of the basic fixture in Windows-1251, spelled out.
const QByteArray basicHeader1251("\xCE\xF1\xED\xEE\xE2\xED\xEE\xE9 x v003");

bool dataCommandsEnabled(const TForm1 &form)
{
    return form.N3->isEnabled() && form.N5->menuAction()->isEnabled()
        && form.N6->menuAction()->isEnabled() && form.SaveAs1->isEnabled()
        && form.FileClose->isEnabled();
}

bool anyDataCommandEnabled(const TForm1 &form)
{
    return form.N3->isEnabled() || form.N5->menuAction()->isEnabled()
        || form.N6->menuAction()->isEnabled() || form.SaveAs1->isEnabled()
        || form.FileClose->isEnabled();
}

// What the window shows of both tables and its commands, to compare before and after.
struct Shown
{
    QList<QStringList> basicCells;
    QList<QStringList> individualCells;
    ArchiveLines basicLines;
    ArchiveLines individualLines;
    bool basicTab = false;
    bool individualTab = false;
    int page = -1;
    bool commands = false;

    explicit Shown(const TForm1 &form)
        : basicCells(cellTexts(form.basicTable())),
          individualCells(cellTexts(form.individualTable())),
          basicLines(form.measurementSet(TableKind::Basic).lines()),
          individualLines(form.measurementSet(TableKind::Individual).lines()),
          basicTab(form.PageControl1->isTabVisible(0)),
          individualTab(form.PageControl1->isTabVisible(1)),
          page(form.activePageIndex()),
          commands(dataCommandsEnabled(form))
    {
    }

    bool operator==(const Shown &) const = default;
};

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void openLoadsTheChosenFile();
    void openTypedNameGetsExtension();
    void openRejectsMissingFileAndFolder_data();
    void openRejectsMissingFileAndFolder();
    void openCancelled();
    void saveAsKeepsEncoding_data();
    void saveAsKeepsEncoding();
    void saveAsWritesTheActivePage();
    void saveAsAfterDeletingRows();
    void saveAsOverwriteQuestion_data();
    void saveAsOverwriteQuestion();
    void saveAsFailureKeepsOldFile_data();
    void saveAsFailureKeepsOldFile();
    void saveAsUnderFileSizeLimit_data();
    void saveAsUnderFileSizeLimit();
    void saveAsWithNoPage();
    void closeFile();
    void loadShowsTabFillModeAndCommands_data();
    void loadShowsTabFillModeAndCommands();
    void otherKindStaysUntouched();
    void damagedRecordsAreReported();
    void rejectedFileLeavesTheShownArchive_data();
    void rejectedFileLeavesTheShownArchive();
    void failureHalfWayThroughLoadingLeavesTheShownArchive();
    void selectionAfterLoads();
    void instrumentLoadsBothArchives();
    void instrumentHasNoArchives();
    void instrumentOnlyIndividual();
    void instrumentRejectedFileCountsAsFound();
    void instrumentTableFollowsHeaderNotName();
    void instrumentSecondRunReloads();

private:
    QString write(const QString &name, const QByteArray &bytes);
    void load(const QString &name, const QByteArray &bytes);
    QString root(int drive) const;
    void place(int drive, const QString &relativePath, const QByteArray &bytes);
    const MeasurementModel &rows(TableKind kind) const
    {
        return m_form->measurementSet(kind).rows();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<TForm1> m_form;
};

void TestFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fakes = std::make_unique<FakePlatform>();
    m_form = std::make_unique<TForm1>(m_fakes->platform());
    QDir(m_dir->path()).mkdir(u"D"_s);
    QDir(m_dir->path()).mkdir(u"E"_s);
    m_fakes->drives.rootList = {root(0), root(1)};
}

QString TestFileCommands::root(int drive) const
{
    return m_dir->filePath(drive == 0 ? u"D"_s : u"E"_s) + QDir::separator();
}

void TestFileCommands::place(int drive, const QString &relativePath, const QByteArray &bytes)
{
    if (!writeFile(root(drive) + relativePath, bytes))
        qFatal("cannot write the fixture");
}

QString TestFileCommands::write(const QString &name, const QByteArray &bytes)
{
    const QString fileName = m_dir->filePath(name);
    if (!writeFile(fileName, bytes))
        qFatal("cannot write the fixture");
    return fileName;
}

void TestFileCommands::load(const QString &name, const QByteArray &bytes)
{
    m_fakes->dialogs.fileAnswers.enqueue(write(name, bytes));
    m_form->FileOpen1->trigger();
    m_fakes->dialogs.shown.clear();
}

void TestFileCommands::openLoadsTheChosenFile()
{
    const QString fileName =
            write(u"any name.txt"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(2)})));
    m_fakes->dialogs.fileAnswers.enqueue(fileName);

    m_form->FileOpen1->trigger();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QCOMPARE(m_fakes->dialogs.shown[0].kind, Kind::FileDialog);
    QCOMPARE(m_fakes->dialogs.shown[0].text, u"Открыть файл..."_s);
    QCOMPARE(rows(TableKind::Basic).cellText(3, 0), u"b2.3"_s);
    QVERIFY(m_form->PageControl1->isTabVisible(0));
    QCOMPARE(m_form->activePageIndex(), 0);
    QVERIFY(dataCommandsEnabled(*m_form));
}

void TestFileCommands::openTypedNameGetsExtension()
{
    write(u"archive.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(3)})));
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"archive"_s));

    m_form->FileOpen1->trigger();

    QCOMPARE(rows(TableKind::Basic).rowCount(), 1);
    QVERIFY(m_fakes->dialogs.messages().isEmpty());
}

void TestFileCommands::openRejectsMissingFileAndFolder_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("missing") << u"missing.csv"_s;
    QTest::newRow("folder") << u"folder.csv"_s;
}

void TestFileCommands::openRejectsMissingFileAndFolder()
{
    QFETCH(QString, answer);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder.csv"_s));
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(answer));

    m_form->FileOpen1->trigger();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Файл не существует"_s});
    QCOMPARE(rows(TableKind::Basic).rowCount(), 0);
    QCOMPARE(rows(TableKind::Individual).rowCount(), 0);
    QCOMPARE(m_form->activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(*m_form));
}

void TestFileCommands::openCancelled()
{
    m_fakes->dialogs.fileAnswers.enqueue(QString());

    m_form->FileOpen1->trigger();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QCOMPARE(rows(TableKind::Basic).rowCount(), 0);
    QCOMPARE(m_form->activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(*m_form));
}

void TestFileCommands::saveAsKeepsEncoding_data()
{
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("saved");

    // LF line ends, a lone CR, no final break and a NUL: a save makes every end CR LF,
    // ends the last line and drops what follows the NUL.
    QTest::newRow("ansi") << basicHeader1251 + "\n\xC6\r1;2\0tail"_qba
                          << basicHeader1251 + "\r\n\xC6\r\n1;2\r\n"_qba;
    QTest::newRow("utf-8") << "\xEF\xBB\xBF"_qba + u"Основной x v003\nЖ\n1;2"_s.toUtf8()
                           << "\xEF\xBB\xBF"_qba + u"Основной x v003\r\nЖ\r\n1;2\r\n"_s.toUtf8();
    QTest::newRow("utf-16 le") << "\xFF\xFE"_qba + utf16(u"Основной x v003\n\rЖ"_s, true)
                               << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\n\r\nЖ\r\n"_s, true);
    QTest::newRow("utf-16 be") << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ"_s, false)
                               << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n"_s, false);
    // Byte for byte: a mark that starts a line is text, and so is a byte the code page
    // leaves undefined.
    const QByteArray marksAtLineStarts = "\xEF\xBB\xBF"_qba + u"Основной x v003\r\n"_s.toUtf8()
            + "\xEF\xBB\xBF"_qba + u"Ж\r\n"_s.toUtf8() + "\xEF\xBB\xBF\xEF\xBB\xBF" "1;2\r\n"_qba;
    QTest::newRow("utf-8, marks at line starts") << marksAtLineStarts << marksAtLineStarts;
    const QByteArray feffAtLineStarts =
            "\xFF\xFE"_qba + utf16(u"Основной x v003\r\n\uFEFFЖ\r\n\uFEFF1;2\r\n"_s, true);
    QTest::newRow("utf-16 le, U+FEFF at line starts") << feffAtLineStarts << feffAtLineStarts;
    const QByteArray undefinedBytes = basicHeader1251 + "\r\n\x98\r\n1;\x98;2\r\n"_qba;
    QTest::newRow("ansi, byte undefined in 1251") << undefinedBytes << undefinedBytes;
    // An odd last byte is half a character: saved as U+FFFD.
    QTest::newRow("utf-16 le, odd byte count")
            << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\nЖ"_s, true) + "A"_qba
            << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\nЖ\uFFFD\r\n"_s, true);
    QTest::newRow("utf-16 be, odd byte count")
            << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n"_s, false) + "A"_qba
            << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n\uFFFD\r\n"_s, false);
}

void TestFileCommands::saveAsKeepsEncoding()
{
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, saved);
    load(u"loaded.csv"_s, loaded);
    QVERIFY(m_form->PageControl1->isTabVisible(0));
    const QString target = m_dir->filePath(u"copy.csv"_s);
    m_fakes->dialogs.fileAnswers.enqueue(target);

    m_form->FileSaveAs1->trigger();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QCOMPARE(m_fakes->dialogs.shown[0].text, u"Сохранить как..."_s);
    QCOMPARE(readFile(target), saved);
}

void TestFileCommands::saveAsWritesTheActivePage()
{
    const QByteArray basic = utf8WithMark(archiveText(basicHeader(), {basicFixed(1)}));
    const QByteArray individual =
            utf8WithMark(archiveText(individualHeader(), {individualFixed(1)}));
    load(u"individual.csv"_s, individual);
    load(u"basic.csv"_s, basic);
    m_form->PageControl1->setCurrentIndex(1);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy"_s));

    m_form->FileSaveAs1->trigger();

    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), individual);
}

void TestFileCommands::saveAsAfterDeletingRows()
{
    const QByteArray bytes =
            utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2), basicFixed(3)}));
    load(u"basic.csv"_s, bytes);
    m_form->NextGrid62->deleteRows({1, 0});
    QCOMPARE(rows(TableKind::Basic).rowCount(), 1);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));

    m_form->FileSaveAs1->trigger();

    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), bytes);
}

void TestFileCommands::saveAsOverwriteQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("sameFile"); // the target is the file the archive was loaded from

    QTest::newRow("no") << false << false;
    QTest::newRow("yes") << true << false;
    QTest::newRow("yes to the loaded file") << true << true;
}

void TestFileCommands::saveAsOverwriteQuestion()
{
    QFETCH(bool, answer);
    QFETCH(bool, sameFile);
    const QByteArray loaded = utf8WithMark(u"Основной x v003\nx\n1;2"_s);
    load(u"basic.csv"_s, loaded);
    const QByteArray old("old text");
    const QString target = sameFile ? m_dir->filePath(u"basic.csv"_s)
                                    : write(u"existing.csv"_s, old);
    m_fakes->dialogs.fileAnswers.enqueue(target);
    m_fakes->dialogs.confirmAnswers.enqueue(answer);

    m_form->FileSaveAs1->trigger();

    QCOMPARE(m_fakes->dialogs.confirmations(),
             QStringList{u"Файл "_s + QDir::toNativeSeparators(target)
                         + u" существует! Перезаписать?"_s});
    const QByteArray written = utf8WithMark(u"Основной x v003\r\nx\r\n1;2\r\n"_s);
    QCOMPARE(readFile(target), answer ? written : old);
    QVERIFY(m_fakes->dialogs.messages().isEmpty());
}

void TestFileCommands::saveAsFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("below a regular file") << u"old.csv/copy.csv"_s;
    QTest::newRow("folder as target") << u"folder.csv"_s;
}

void TestFileCommands::saveAsFailureKeepsOldFile()
{
    QFETCH(QString, target);
    load(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    const QByteArray old("old text");
    write(u"old.csv"_s, old);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder.csv"_s));
    const QStringList entriesBefore = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(target));

    m_form->FileSaveAs1->trigger();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Ошибка сохранения файла!"_s});
    QVERIFY(m_fakes->dialogs.confirmations().isEmpty());
    QCOMPARE(readFile(m_dir->filePath(u"old.csv"_s)), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), entriesBefore);
    QVERIFY(QDir(m_dir->filePath(u"folder.csv"_s)).isEmpty());
}

void TestFileCommands::saveAsUnderFileSizeLimit_data()
{
    // One buffered block, and more than a buffer holds, which goes to the file at once.
    writefaults::addRows({3, 400}, "records");
}

// As on a medium that fills up during the save: the command says so, the old file stays
// whole and nothing else is left in the folder; the file is replaced only when all of it fits.
void TestFileCommands::saveAsUnderFileSizeLimit()
{
    QFETCH(int, size);
    QFETCH(writefaults::Point, point);
    QList<QStringList> lines;
    for (int n = 1; n <= size; ++n)
        lines.append(basicFixed(n) + readings(n, 15));
    const QByteArray loaded = utf8WithMark(archiveText(basicHeader(), lines));
    load(u"loaded.csv"_s, loaded);

    QTemporaryDir scratch;
    const QString measured = scratch.filePath(u"measured.csv"_s);
    m_fakes->dialogs.fileAnswers.enqueue(measured);
    m_form->FileSaveAs1->trigger();
    const QByteArray finished = readFile(measured);
    QCOMPARE(finished, loaded);
    m_fakes->dialogs.shown.clear();

    const writefaults::OldTarget target(u"target.csv"_s);
    QVERIFY(target.isValid());
    m_fakes->dialogs.fileAnswers.enqueue(target.path());
    m_fakes->dialogs.confirmAnswers.enqueue(true);
    const qint64 limit = writefaults::limitAt(point, finished.size());
    QVERIFY(writefaults::runUnderLimit(limit, [this] { m_form->FileSaveAs1->trigger(); }));

    QVERIFY(target.isAlone());
    const bool fits = limit >= finished.size();
    QCOMPARE(m_fakes->dialogs.messages(), fits ? QStringList() : QStringList{u"Ошибка сохранения файла!"_s});
    QCOMPARE(target.bytes(), fits ? finished : target.oldBytes());
}

void TestFileCommands::saveAsWithNoPage()
{
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));

    m_form->FileSaveAs1->trigger();

    QVERIFY(m_fakes->dialogs.shown.isEmpty());
    QVERIFY(!QFileInfo::exists(m_dir->filePath(u"copy.csv"_s)));
}

void TestFileCommands::closeFile()
{
    load(u"individual.csv"_s, utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    load(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    QCOMPARE(m_form->activePageIndex(), 0);

    m_form->FileClose->trigger();
    QVERIFY(!m_form->PageControl1->isTabVisible(0));
    QVERIFY(m_form->PageControl1->isTabVisible(1));
    QCOMPARE(m_form->activePageIndex(), 1);
    QVERIFY(dataCommandsEnabled(*m_form));
    QCOMPARE(rows(TableKind::Basic).rowCount(), 1); // hiding clears nothing
    QCOMPARE(m_form->measurementSet(TableKind::Basic).lines().size(), 3);

    m_form->FileClose->trigger();
    QVERIFY(!m_form->PageControl1->isTabVisible(1));
    QCOMPARE(m_form->activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(*m_form));
    QCOMPARE(m_form->measurementSet(TableKind::Individual).lines().size(), 3);
}

void TestFileCommands::loadShowsTabFillModeAndCommands_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("status");

    QTest::newRow("basic") << TableKind::Basic << 3
                           << u"Чтение основного архива! В архиве 3 измерений"_s;
    QTest::newRow("individual") << TableKind::Individual << 2
                                << u"Чтение индивидуального архива! В архиве 2 измерений"_s;
    QTest::newRow("two lines") << TableKind::Basic << 0
                               << u"Чтение основного архива! В архиве 0 измерений"_s;
}

void TestFileCommands::loadShowsTabFillModeAndCommands()
{
    QFETCH(TableKind, kind);
    QFETCH(int, records);
    QFETCH(QString, status);
    const bool basic = kind == TableKind::Basic;
    QList<QStringList> lines;
    for (int n = 1; n <= records; ++n)
        lines.append((basic ? basicFixed(n) : individualFixed(n)) + readings(n, 4));
    // What the status bar shows while the bar moves (it moves within its range only), that
    // is during the load.
    QStringList statusWhileLoading;
    connect(m_form->ProgressBar1, &QProgressBar::valueChanged, this, [&](int value) {
        if (value > 0)
            statusWhileLoading.append(m_form->statusPanel0->text());
    });

    load(u"archive.csv"_s, utf8WithMark(archiveText(basic ? basicHeader() : individualHeader(), lines)));

    const int page = basic ? 0 : 1;
    statusWhileLoading.removeDuplicates();
    QCOMPARE(statusWhileLoading, records > 0 ? QStringList{status} : QStringList());
    QCOMPARE(m_form->statusPanel0->text(), QString());
    QCOMPARE(m_form->ProgressBar1->value(), 0);
    QCOMPARE(m_form->activePageIndex(), page);
    QVERIFY(m_form->PageControl1->isTabVisible(page));
    QVERIFY(!m_form->PageControl1->isTabVisible(1 - page));
    QVERIFY(dataCommandsEnabled(*m_form));
    QCOMPARE(rows(kind).rowCount(), records);
    const MeasurementGrid &grid = basic ? *m_form->NextGrid62 : *m_form->NextGrid61;
    QCOMPARE(grid.model()->rowCount(), records);
    QCOMPARE(grid.currentRow(), -1);
    QCOMPARE(grid.selectedCount(), 0);
    // The row number and the fixed fields but the last share the width, once there are rows.
    const int fixed = grid.definition().fixedFieldCount;
    for (int column = 0; column < grid.definition().columnCount(); ++column)
        QCOMPARE(grid.isFillMode(column), records > 0 && column < fixed);
}

void TestFileCommands::otherKindStaysUntouched()
{
    load(u"individual.csv"_s,
         utf8WithMark(archiveText(individualHeader(), {individualFixed(1), individualFixed(2)})));
    const QList<QStringList> individualCells = cellTexts(m_form->individualTable());
    const ArchiveLines individualLines = m_form->measurementSet(TableKind::Individual).lines();

    load(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(7)})));

    QCOMPARE(cellTexts(m_form->individualTable()), individualCells);
    QCOMPARE(m_form->measurementSet(TableKind::Individual).lines(), individualLines);
    QVERIFY(m_form->PageControl1->isTabVisible(0));
    QVERIFY(m_form->PageControl1->isTabVisible(1));
    QCOMPARE(m_form->activePageIndex(), 0);
    QCOMPARE(rows(TableKind::Basic).cellText(3, 0), u"b7.3"_s);
}

void TestFileCommands::damagedRecordsAreReported()
{
    const QStringList shortRecord = basicFixed(2).mid(0, 10);
    m_fakes->dialogs.fileAnswers.enqueue(write(
            u"damaged.csv"_s,
            utf8WithMark(archiveText(basicHeader(), {basicFixed(1), shortRecord, {}, basicFixed(5)}))));

    m_form->FileOpen1->trigger();

    QCOMPARE(m_fakes->dialogs.messages(),
             QStringList{u"Повреждённых записей в архиве: 2 (строки 4, 5)."_s});
    QCOMPARE(rows(TableKind::Basic).rowCount(), 3);
    QCOMPARE(m_form->activePageIndex(), 0);
    QVERIFY(dataCommandsEnabled(*m_form));
}

void TestFileCommands::rejectedFileLeavesTheShownArchive_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString record = basicFixed(1).join(u';');
    QTest::newRow("not an archive") << utf8WithMark(u"just some text\r\nsecond\r\n"_s + record);
    QTest::newRow("header line only") << utf8WithMark(basicHeader() + u"\r\n"_s);
    QTest::newRow("other version")
            << utf8WithMark(u"Основной архив v002\r\nx\r\n"_s + record);
    QTest::newRow("empty file") << QByteArray();
}

// A file that is no archive, loaded over a good one: the good one stays shown and saveable.
void TestFileCommands::rejectedFileLeavesTheShownArchive()
{
    QFETCH(QByteArray, bytes);
    load(u"individual.csv"_s, utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    const QByteArray good = utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2)}));
    load(u"good.csv"_s, good);
    const Shown before(*m_form);

    m_fakes->dialogs.fileAnswers.enqueue(write(u"rejected.csv"_s, bytes));
    m_form->FileOpen1->trigger();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Файл не является архивом!"_s});
    QVERIFY(Shown(*m_form) == before);
    QCOMPARE(m_form->NextGrid62->model()->rowCount(), 2);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));
    m_form->FileSaveAs1->trigger();
    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), good);
}

// Should a load fail half-way through filling its table, the shown table, its archive lines,
// the tabs and the commands stay as they were, and save as still writes the shown archive.
void TestFileCommands::failureHalfWayThroughLoadingLeavesTheShownArchive()
{
    load(u"individual.csv"_s, utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    const QByteArray good = utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2)}));
    load(u"good.csv"_s, good);
    m_form->NextGrid62->setFillMode(0, false);
    const Shown before(*m_form);
    QList<QStringList> larger;
    for (int n = 1; n <= 6; ++n)
        larger.append(basicFixed(n) + readings(n, 15));
    m_fakes->dialogs.fileAnswers.enqueue(
            write(u"larger.csv"_s, utf8WithMark(archiveText(basicHeader(), larger))));
    // The progress bar raises when the fill reaches the fourth record.
    const QMetaObject::Connection failing = connect(
            m_form->ProgressBar1, &QProgressBar::valueChanged, this, [](int value) {
                if (value == 5)
                    throw AppError(u"Нет памяти"_s);
            });
    ErrorCapture errors;

    m_form->FileOpen1->trigger();
    disconnect(failing);

    QCOMPARE(errors.texts, QStringList{u"Нет памяти"_s});
    QVERIFY(Shown(*m_form) == before);
    QCOMPARE(m_form->NextGrid62->model()->rowCount(), 2);
    QVERIFY(!m_form->NextGrid62->isFillMode(0)); // not the load's view step either
    QCOMPARE(m_form->statusPanel0->text(), QString());
    QCOMPARE(m_form->ProgressBar1->value(), 0);
    QVERIFY(m_fakes->dialogs.messages().isEmpty());
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));
    m_form->FileSaveAs1->trigger();
    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), good);
}

// The rows a load brings come with no current row and none selected, as after a clear; a
// failed load leaves the shown rows' selection as it was.
void TestFileCommands::selectionAfterLoads()
{
    QList<QStringList> records;
    for (int n = 1; n <= 4; ++n)
        records.append(basicFixed(n));
    const QByteArray archive = utf8WithMark(archiveText(basicHeader(), records));
    load(u"first.csv"_s, archive);
    m_form->resize(1000, 600);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    MeasurementGrid &grid = *m_form->NextGrid62;
    const auto clickRow = [&grid](int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers,
                          grid.visualRect(grid.model()->index(row, 3)).center());
    };
    clickRow(1);
    clickRow(2, Qt::ShiftModifier);
    QCOMPARE(grid.selectedCount(), 2);

    load(u"rejected.csv"_s, utf8WithMark(u"just text\r\nx\r\n"_s));
    QCOMPARE(grid.selectedCount(), 2);
    QCOMPARE(grid.currentRow(), 2);

    load(u"second.csv"_s, archive);
    QCOMPARE(grid.selectedCount(), 0);
    QCOMPARE(grid.currentRow(), -1);
    QVERIFY(!grid.currentIndex().isValid());
    // No anchor is left from before: a Shift+click selects just its row.
    clickRow(3, Qt::ShiftModifier);
    QCOMPARE(grid.selectedRows(), std::vector<int>{3});
}

void TestFileCommands::instrumentLoadsBothArchives()
{
    place(1, basicArchivePath(), utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    place(0, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1), individualFixed(2)})));

    m_form->N8->trigger();

    QCOMPARE(rows(TableKind::Basic).rowCount(), 1);
    QCOMPARE(rows(TableKind::Individual).rowCount(), 2);
    QVERIFY(m_form->PageControl1->isTabVisible(0));
    QVERIFY(m_form->PageControl1->isTabVisible(1));
    QCOMPARE(m_form->activePageIndex(), 1); // the individual archive is loaded last
    QVERIFY(dataCommandsEnabled(*m_form));
    QVERIFY(m_fakes->dialogs.shown.isEmpty());
}

void TestFileCommands::instrumentHasNoArchives()
{
    QVERIFY(QDir().mkpath(root(0) + individualArchivePath()));

    m_form->N8->trigger();
    m_fakes->drives.rootList.clear(); // the drive enumeration failed
    m_form->N8->trigger();

    const QString message = u"Архивы не найдены! Проверьте подключение прибора!"_s;
    QCOMPARE(m_fakes->dialogs.messages(), (QStringList{message, message}));
    QCOMPARE(rows(TableKind::Basic).rowCount(), 0);
    QCOMPARE(rows(TableKind::Individual).rowCount(), 0);
    QCOMPARE(m_form->activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(*m_form));
}

void TestFileCommands::instrumentOnlyIndividual()
{
    place(1, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));

    m_form->N8->trigger();

    QCOMPARE(rows(TableKind::Individual).rowCount(), 1);
    QCOMPARE(rows(TableKind::Basic).rowCount(), 0);
    QCOMPARE(m_form->activePageIndex(), 1);
    QVERIFY(!m_form->PageControl1->isTabVisible(0));
    QVERIFY(m_fakes->dialogs.shown.isEmpty());
}

void TestFileCommands::instrumentRejectedFileCountsAsFound()
{
    place(0, basicArchivePath(), utf8WithMark(u"Прочее x v003\r\nx\r\n"_s));

    m_form->N8->trigger();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Файл не является архивом!"_s});
    QVERIFY(!anyDataCommandEnabled(*m_form));
}

void TestFileCommands::instrumentTableFollowsHeaderNotName()
{
    place(0, basicArchivePath(), utf8WithMark(archiveText(individualHeader(), {individualFixed(4)})));

    m_form->N8->trigger();

    QCOMPARE(rows(TableKind::Basic).rowCount(), 0);
    QCOMPARE(rows(TableKind::Individual).cellText(3, 0), u"i4.3"_s);
    QCOMPARE(m_form->activePageIndex(), 1);
}

void TestFileCommands::instrumentSecondRunReloads()
{
    place(1, basicArchivePath(), utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    place(1, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    m_form->N8->trigger();

    // A newer basic archive appears on the first drive; the individual one stays on E.
    place(0, basicArchivePath(),
          utf8WithMark(archiveText(basicHeader(), {basicFixed(8), basicFixed(9)})));
    m_form->N8->trigger();

    QCOMPARE(rows(TableKind::Basic).rowCount(), 2);
    QCOMPARE(rows(TableKind::Basic).cellText(3, 1), u"b9.3"_s);
    QCOMPARE(rows(TableKind::Individual).rowCount(), 1);
    QCOMPARE(m_form->activePageIndex(), 1);
    QVERIFY(m_fakes->dialogs.shown.isEmpty());
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
