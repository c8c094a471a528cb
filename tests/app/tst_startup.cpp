#include "app/Unit2.h"
#include "app/lirasapplication.h"
#include "app/startflag.h"
#include "platform/ui/fakeplatform.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString keyPath = QString::fromUtf16(kProgramSettingsKey);
const QString startName = QString::fromUtf16(kStartValueName);
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void startFlag_data();
    void startFlag();
    void errorBoxText_data();
    void errorBoxText();
    void dataCommandsAfterCreate();
    void progressBarFollowsStatusBar();
    void help_data();
    void help();
    void restoredWindowHasDesignSizeCentred();
};

void TestStartup::startFlag_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<QString>("stored"); // empty name: no value; "#dword": a non-string value
    QTest::addColumn<bool>("failCreate");
    QTest::addColumn<QString>("expectedFlag");
    QTest::addColumn<QString>("expectedStored");
    QTest::addColumn<bool>("guideOpens");

    QTest::newRow("first start, no key") << false << u"<none>"_s << false << u"1"_s << u"1"_s << true;
    QTest::newRow("key without value") << true << u"<none>"_s << false << u"1"_s << u"1"_s << true;
    QTest::newRow("1") << true << u"1"_s << false << u"1"_s << u"1"_s << true;
    QTest::newRow("2 keeps the guide closed") << true << u"2"_s << false << u"2"_s << u"2"_s << false;
    QTest::newRow("0 is left as it is") << true << u"0"_s << false << u"0"_s << u"0"_s << true;
    QTest::newRow("empty is left as it is") << true << QString(u""_s) << false << QString() << QString() << true;
    QTest::newRow("2 with a blank is not 2") << true << u"2 "_s << false << u"2 "_s << u"2 "_s << true;
    QTest::newRow("non-string value untouched") << true << u"#dword"_s << false << u"1"_s << u"#dword"_s << true;
    QTest::newRow("store unavailable") << false << u"<none>"_s << true << u"1"_s << u"<none>"_s << true;
}

void TestStartup::startFlag()
{
    QFETCH(bool, keyExists);
    QFETCH(QString, stored);
    QFETCH(bool, failCreate);
    QFETCH(QString, expectedFlag);
    QFETCH(QString, expectedStored);
    QFETCH(bool, guideOpens);

    FakeSettingsStore store;
    if (keyExists)
        store.addKey(keyPath);
    if (stored == u"#dword"_s)
        store.setValue(keyPath, startName, {u"#dword"_s, false});
    else if (stored != u"<none>"_s)
        store.setValue(keyPath, startName, {stored, true});
    store.failCreate = failCreate;

    const QString flag = readStartFlag(store);
    QCOMPARE(flag, expectedFlag);
    QCOMPARE(guideOpensAtStart(flag), guideOpens);

    const auto value = store.value(keyPath, startName);
    if (expectedStored == u"<none>"_s) {
        QVERIFY(!value);
    } else {
        QVERIFY(value);
        QCOMPARE(value->text, expectedStored);
    }
    QVERIFY(!failCreate || store.writeCount == 0);
}

void TestStartup::errorBoxText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter gets a full stop") << u"Invalid GIF signature"_s << u"Invalid GIF signature."_s;
    QTest::newRow("full stop kept single") << u"Cell (40, 0) out of bounds."_s << u"Cell (40, 0) out of bounds."_s;
    QTest::newRow("quote is above the full stop") << u"'x' is not a valid floating point value"_s
                                                 << u"'x' is not a valid floating point value."_s;
    QTest::newRow("closing bracket is below it") << u"Ошибка (1)"_s << u"Ошибка (1)"_s;
    QTest::newRow("exclamation mark is below it") << u"Ошибка!"_s << u"Ошибка!"_s;
    QTest::newRow("digit is above it") << u"Код 5"_s << u"Код 5."_s;
    QTest::newRow("empty stays empty") << QString() << QString();
}

void TestStartup::errorBoxText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(LirasApplication::errorBoxText(text), shown);
}

void TestStartup::dataCommandsAfterCreate()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    QCOMPARE(form.StartFlag, u"1"_s);
    QVERIFY(!form.chartSelection.ChartSource);
    QVERIFY(!form.PageControl1->isTabVisible(0));
    QVERIFY(!form.PageControl1->isTabVisible(1));
    QCOMPARE(form.activePageIndex(), -1);
    QVERIFY(!form.N3->isEnabled());
    QVERIFY(!form.N5->menuAction()->isEnabled());
    QVERIFY(!form.N6->menuAction()->isEnabled());
    QVERIFY(!form.SaveAs1->isEnabled());
    QVERIFY(!form.FileClose->isEnabled());
    QVERIFY(form.N8->isEnabled());
    QVERIFY(form.FileOpen1->isEnabled());
    QVERIFY(form.FileExit1->isEnabled());
    QVERIFY(form.N7->menuAction()->isEnabled());
    QCOMPARE(form.FileOpen1->shortcut(), QKeySequence(u"Ctrl+O"_s));

    form.EnableDataCommands();
    QVERIFY(form.N3->isEnabled());
    QVERIFY(form.N5->menuAction()->isEnabled());
    QVERIFY(form.N6->menuAction()->isEnabled());
    QVERIFY(form.SaveAs1->isEnabled());
    QVERIFY(form.FileClose->isEnabled());
    QVERIFY(form.FileSaveAs1->isEnabled());
}

void TestStartup::progressBarFollowsStatusBar()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    form.resize(1040, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int width : {1040, 700, 1300}) {
        form.resize(width, 600);
        QTRY_COMPARE(form.StatusBar1->width(), width);
        const QRect bar = form.ProgressBar1->geometry();
        QCOMPARE(form.ProgressBar1->parentWidget(), form.StatusBar1);
        QCOMPARE(bar.left(), 305);
        QCOMPARE(bar.top(), 2);
        QCOMPARE(bar.height(), form.StatusBar1->height() - 2);
        QCOMPARE(form.StatusBar1->width() - (bar.left() + bar.width()), 15);
    }
    QCOMPARE(form.StatusBar1->height(), 19);
}

void TestStartup::help_data()
{
    QTest::addColumn<QStringList>("unopenable");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("messages");

    const QString compiled = u"лирас.chm"_s;
    const QString pages = u"help/index.html"_s;
    QTest::newRow("compiled help opens") << QStringList{} << QStringList{compiled} << QStringList{};
    QTest::newRow("no viewer for it: the pages in the browser")
        << QStringList{compiled} << QStringList{compiled, pages} << QStringList{};
    QTest::newRow("neither opens") << QStringList{compiled, pages} << QStringList{compiled, pages}
                                   << QStringList{u"Не удалось открыть справку."_s};
}

void TestStartup::help()
{
    QFETCH(QStringList, unopenable);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, messages);

    FakePlatform fake;
    fake.shell.unopenable = unopenable;
    TForm1 form(fake.platform());
    form.Contents1->trigger();
    // Relative names: the shell looks them up in the working folder.
    QCOMPARE(fake.shell.opened, opened);
    QCOMPARE(fake.dialogs.messages(), messages);
    QCOMPARE(fake.dialogs.shown.size(), messages.size());
}

void TestStartup::restoredWindowHasDesignSizeCentred()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    form.showMaximisedAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect available = form.screen()->availableGeometry();
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    QTRY_COMPARE(form.frameGeometry(), available);

    form.showNormal();
    QTRY_COMPARE(form.geometry().size(), QSize(821, 475));
    const QPoint offCentre = form.geometry().center() - available.center();
    QVERIFY2(std::abs(offCentre.y()) <= 1, qPrintable(QString::number(offCentre.y())));
    // The test screen (800 px) is narrower than the window: the platform shifts it a little.
    QVERIFY2(std::abs(offCentre.x()) <= 5, qPrintable(QString::number(offCentre.x())));

    // Maximised again, the window covers the screen once more.
    form.showMaximized();
    QTRY_COMPARE(form.frameGeometry(), available);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
