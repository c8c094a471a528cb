#include "platform/apperror.h"
#include "platform/fakesystem.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kKey = u"\\Software\\Nordvekt\\LIRAS\\2.0"_s;
}

class TestFakeSystem : public QObject
{
    Q_OBJECT

private slots:
    void settingsCreateMakesParents();
    void settingsKeysIgnoreCaseAndLeadingBackslash();
    void settingsOpenMissingKeyIsNull();
    void settingsValues();
    void settingsScriptedFailures();
    void settingsWriteToRemovedKeyFails();
    void systemHasRealCodePagesAndPointedDates();
};

void TestFakeSystem::settingsCreateMakesParents()
{
    FakeSettingsStore store;
    QVERIFY(store.createKey(kKey));
    QVERIFY(store.hasKey(u"Software"_s));
    QVERIFY(store.hasKey(u"Software\\Nordvekt\\LIRAS"_s));
    QVERIFY(store.hasKey(kKey));
    QVERIFY(!store.hasKey(u"Software\\Other"_s));
}

void TestFakeSystem::settingsKeysIgnoreCaseAndLeadingBackslash()
{
    FakeSettingsStore store;
    auto created = store.createKey(kKey);
    QVERIFY(created->writeString(u"Start"_s, u"1"_s));
    auto opened = store.openKey(u"software\\NORDVEKT\\liras\\2.0"_s);
    QVERIFY(opened);
    QCOMPARE(opened->readString(u"start"_s), std::optional<QString>(u"1"_s));
}

void TestFakeSystem::settingsOpenMissingKeyIsNull()
{
    FakeSettingsStore store;
    QVERIFY(!store.openKey(kKey));
    store.addKey(kKey);
    QVERIFY(store.openKey(kKey));
    store.removeKey(u"\\Software\\Nordvekt"_s);
    QVERIFY(!store.openKey(kKey));
    QVERIFY(store.hasKey(u"Software"_s));
}

void TestFakeSystem::settingsValues()
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

void TestFakeSystem::settingsScriptedFailures()
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

void TestFakeSystem::settingsWriteToRemovedKeyFails()
{
    FakeSettingsStore store;
    auto key = store.createKey(kKey);
    store.removeKey(kKey);
    QVERIFY(!key->writeString(u"Start"_s, u"1"_s));
    QVERIFY(!store.hasKey(kKey));
}

void TestFakeSystem::systemHasRealCodePagesAndPointedDates()
{
    FakeSystem fake;
    QCOMPARE(fake.ansi->number(), 1251);
    QCOMPARE(fake.ansi->decode("\xB9"), u"№"_s);
    QCOMPARE(fake.regional.decimalSeparator, u',');
    QCOMPARE(fake.regional.shortDateFormat, u"dd.MM.yyyy"_s);

    FakeSystem western(1252);
    QCOMPARE(western.ansi->decode("\x80"), u"€"_s);
    // A code page the system lacks is refused, not replaced by another.
    QVERIFY_THROWS_EXCEPTION(AppError, FakeSystem(12345));
}

QTEST_GUILESS_MAIN(TestFakeSystem)
#include "tst_fakesystem.moc"
