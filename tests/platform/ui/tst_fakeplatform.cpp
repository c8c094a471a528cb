#include "platform/ui/fakeplatform.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFakePlatform : public QObject
{
    Q_OBJECT

private slots:
    void confirmAnswersInOrderThenNo();
    void boxesAreRecordedByKind();
    void fileDialogAnswers_data();
    void fileDialogAnswers();
    void fileDialogRemembersLastChoice();
    void platformBundlesTheFakes();
};

void TestFakePlatform::confirmAnswersInOrderThenNo()
{
    FakeDialogs dialogs;
    dialogs.confirmAnswers << true << false;
    QCOMPARE(dialogs.confirm(nullptr, u"a"_s), true);
    QCOMPARE(dialogs.confirm(nullptr, u"b"_s), false);
    QCOMPARE(dialogs.confirm(nullptr, u"c"_s), false);
    QCOMPARE(dialogs.confirmations(), QStringList({u"a"_s, u"b"_s, u"c"_s}));
}

void TestFakePlatform::boxesAreRecordedByKind()
{
    FakeDialogs dialogs;
    dialogs.message(nullptr, u"Файл не существует"_s);
    dialogs.error(nullptr, u"Ошибка."_s);
    dialogs.message(nullptr, u"второе"_s);
    QCOMPARE(dialogs.messages(), QStringList({u"Файл не существует"_s, u"второе"_s}));
    QCOMPARE(dialogs.errors(), QStringList({u"Ошибка."_s}));
    QVERIFY(dialogs.confirmations().isEmpty());
    QCOMPARE(dialogs.shown.size(), 3);
    QCOMPARE(dialogs.shown.at(1).kind, FakeDialogs::Shown::Kind::Error);
}

void TestFakePlatform::fileDialogAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("name with extension") << u"/tmp/a.txt"_s << u"csv"_s << true << u"/tmp/a.txt"_s;
    QTest::newRow("extension added") << u"/tmp/report"_s << u"csv"_s << true
                                     << u"/tmp/report.csv"_s;
    QTest::newRow("extension given with dot") << u"/tmp/report"_s << u".pdf"_s << true
                                              << u"/tmp/report.pdf"_s;
    QTest::newRow("no default extension") << u"/tmp/report"_s << QString() << true
                                          << u"/tmp/report"_s;
    QTest::newRow("relative made absolute") << u"x.csv"_s << u"csv"_s << true
                                            << QDir::current().absoluteFilePath(u"x.csv"_s);
    QTest::newRow("cancel") << QString() << u"csv"_s << false << QString();
}

void TestFakePlatform::fileDialogAnswers()
{
    QFETCH(QString, answer);
    QFETCH(QString, extension);
    QFETCH(bool, accepted);
    QFETCH(QString, fileName);

    FakeDialogs dialogs;
    dialogs.fileAnswers.enqueue(answer);
    auto dialog = dialogs.createFileDialog(FileDialog::Kind::Save);
    dialog->setTitle(u"Сохранить в CSV"_s);
    dialog->setDefaultExtension(extension);
    QCOMPARE(dialog->execute(nullptr), accepted);
    QCOMPARE(dialog->fileName(), fileName);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.at(0).kind, FakeDialogs::Shown::Kind::FileDialog);
    QCOMPARE(dialogs.shown.at(0).text, u"Сохранить в CSV"_s);
}

void TestFakePlatform::fileDialogRemembersLastChoice()
{
    FakeDialogs dialogs;
    dialogs.fileAnswers << u"/tmp/first.csv"_s << QString();
    auto dialog = dialogs.createFileDialog(FileDialog::Kind::Open);
    QVERIFY(dialog->execute(nullptr));
    QVERIFY(!dialog->execute(nullptr));
    QCOMPARE(dialog->fileName(), u"/tmp/first.csv"_s);
    // Nothing scripted any more: cancelled, never blocking.
    QVERIFY(!dialog->execute(nullptr));
    QCOMPARE(dialogs.shown.size(), 3);
}

void TestFakePlatform::platformBundlesTheFakes()
{
    FakePlatform fake;
    fake.drives.rootList = {u"/media/usb/"_s};
    Platform platform = fake.platform();
    QCOMPARE(platform.ansi.number(), 1251);
    QCOMPARE(platform.drives.roots(), QStringList({u"/media/usb/"_s}));
    fake.shell.unopenable = {u"лирас.chm"_s};
    QVERIFY(!platform.shell.openDocument(u"лирас.chm"_s, nullptr));
    QVERIFY(platform.shell.openDocument(u"help/index.html"_s, nullptr));
    QCOMPARE(fake.shell.opened, QStringList({u"лирас.chm"_s, u"help/index.html"_s}));
    platform.dialogs.message(nullptr, u"m"_s);
    QCOMPARE(fake.dialogs.messages(), QStringList({u"m"_s}));
    QCOMPARE(platform.regional.shortDateFormat, u"dd.MM.yyyy"_s);
    QVERIFY(&platform.settings == &fake.settings);

    FakePlatform western(1252);
    QCOMPARE(western.platform().ansi.number(), 1252);
}

QTEST_GUILESS_MAIN(TestFakePlatform)
#include "tst_fakeplatform.moc"
