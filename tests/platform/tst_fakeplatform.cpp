#include "platform/fakeplatform.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kKey = u"\\Software\\Nordvekt\\LIRAS\\2.0"_s;
}

class TestFakePlatform : public QObject
{
    Q_OBJECT

private slots:
    void settingsCreateMakesParents();
    void settingsKeysIgnoreCaseAndLeadingBackslash();
    void settingsOpenMissingKeyIsNull();
    void settingsValues();
    void settingsScriptedFailures();
    void settingsWriteToRemovedKeyFails();
    void confirmAnswersInOrderThenNo();
    void boxesAreRecordedByKind();
    void fileDialogAnswers_data();
    void fileDialogAnswers();
    void fileDialogRemembersLastChoice();
    void platformBundlesTheFakes();
};

void TestFakePlatform::settingsCreateMakesParents()
{
    FakeSettingsStore store;
    QVERIFY(store.createKey(kKey));
    QVERIFY(store.hasKey(u"Software"_s));
    QVERIFY(store.hasKey(u"Software\\Nordvekt\\LIRAS"_s));
    QVERIFY(store.hasKey(kKey));
    QVERIFY(!store.hasKey(u"Software\\Other"_s));
}

void TestFakePlatform::settingsKeysIgnoreCaseAndLeadingBackslash()
{
    FakeSettingsStore store;
    auto created = store.createKey(kKey);
    QVERIFY(created->writeString(u"Start"_s, u"1"_s));
    auto opened = store.openKey(u"software\\NORDVEKT\\liras\\2.0"_s);
    QVERIFY(opened);
    QCOMPARE(opened->readString(u"start"_s), std::optional<QString>(u"1"_s));
}

void TestFakePlatform::settingsOpenMissingKeyIsNull()
{
    FakeSettingsStore store;
    QVERIFY(!store.openKey(kKey));
    store.addKey(kKey);
    QVERIFY(store.openKey(kKey));
    store.removeKey(u"\\Software\\Nordvekt"_s);
    QVERIFY(!store.openKey(kKey));
    QVERIFY(store.hasKey(u"Software"_s));
}

void TestFakePlatform::settingsValues()
{
    FakeSettingsStore store;
    store.setValue(kKey, u"Start"_s, {u"2"_s, true});
    store.setValue(kKey, u"Binary"_s, {u"0102"_s, false});
    auto key = store.openKey(kKey);
    QVERIFY(key);
    QVERIFY(key->hasValue(u"Start"_s));
    QCOMPARE(key->readString(u"Start"_s), std::optional<QString>(u"2"_s));
    QVERIFY(key->hasValue(u"Binary"_s));
    QCOMPARE(key->readString(u"Binary"_s), std::nullopt);
    QVERIFY(!key->hasValue(u"Missing"_s));
    QCOMPARE(key->readString(u"Missing"_s), std::nullopt);

    QVERIFY(key->writeString(u"Start"_s, u""_s));
    QCOMPARE(store.value(kKey, u"Start"_s)->text, QString());
    QCOMPARE(store.writeCount, 1);
    store.removeValue(kKey, u"Start"_s);
    QVERIFY(!key->hasValue(u"Start"_s));
}

void TestFakePlatform::settingsScriptedFailures()
{
    FakeSettingsStore store;
    store.failCreate = true;
    QVERIFY(!store.createKey(kKey));
    QVERIFY(!store.hasKey(kKey));
    store.failCreate = false;
    auto key = store.createKey(kKey);
    store.failOpen = true;
    QVERIFY(!store.openKey(kKey));
    store.failWrite = true;
    QVERIFY(!key->writeString(u"Start"_s, u"1"_s));
    QVERIFY(!store.value(kKey, u"Start"_s));
    QCOMPARE(store.writeCount, 0);
}

void TestFakePlatform::settingsWriteToRemovedKeyFails()
{
    FakeSettingsStore store;
    auto key = store.createKey(kKey);
    store.removeKey(kKey);
    QVERIFY(!key->writeString(u"Start"_s, u"1"_s));
    QVERIFY(!store.hasKey(kKey));
}

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
    QCOMPARE(platform.ansi.decode("\xB9"), u"№"_s);
    QCOMPARE(platform.drives.roots(), QStringList({u"/media/usb/"_s}));
    fake.shell.unopenable = {u"лирас.chm"_s};
    QVERIFY(!platform.shell.openDocument(u"лирас.chm"_s, nullptr));
    QVERIFY(platform.shell.openDocument(u"help/index.html"_s, nullptr));
    QCOMPARE(fake.shell.opened, QStringList({u"лирас.chm"_s, u"help/index.html"_s}));
    platform.dialogs.message(nullptr, u"m"_s);
    QCOMPARE(fake.dialogs.messages(), QStringList({u"m"_s}));
    QCOMPARE(platform.regional.decimalSeparator, u',');
    QCOMPARE(platform.regional.shortDateFormat, u"dd.MM.yyyy"_s);
    QVERIFY(&platform.settings == &fake.settings);

    FakePlatform western(1252);
    QCOMPARE(western.platform().ansi.decode("\x80"), u"€"_s);
}

QTEST_GUILESS_MAIN(TestFakePlatform)
#include "tst_fakeplatform.moc"
