#include "platform/ansicodepage.h"
#include "platform/codepages.h"
#include "platform/regionalformat.h"
#include "platform/settingsstore.h"
#include "platform/ui/systemplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs under a Russian locale set in main() before Qt reads it, as on the users' machines.
class TestSystemPlatform : public QObject
{
    Q_OBJECT

private slots:
    void regionalSettingsFromTheLocale();
    void ansiCodePageFromTheLocale();
    void monthNamesOfTheLocale_data();
    void monthNamesOfTheLocale();
    void settingsLiveInTheConfigFolder();
};

void TestSystemPlatform::regionalSettingsFromTheLocale()
{
    const RegionalSettings settings = RegionalSettings::system();
    QCOMPARE(settings.decimalSeparator, u',');
    QCOMPARE(settings.thousandSeparator, u'\u00a0');
    QCOMPARE(settings.shortDateFormat, u"dd.MM.yyyy"_s);
    // The locale's long time carries a zone field, which the program does not show.
    QCOMPARE(settings.longTimeFormat, u"HH:mm:ss"_s);
}

void TestSystemPlatform::ansiCodePageFromTheLocale()
{
    const auto page = systemAnsiCodePage();
    QVERIFY(page);
    QCOMPARE(page->number(), 1251);
    QCOMPARE(page->decode("\xCE\xF1\xED\xEE\xE2\xED\xEE\xE9"), u"Основной"_s);
}

void TestSystemPlatform::monthNamesOfTheLocale_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("long month") << u"d MMMM yyyy"_s << u"5 марта 2024"_s << QDate(2024, 3, 5);
    QTest::newRow("weekday and month") << u"dddd, d MMMM yyyy"_s
                                       << u"вторник, 5 марта 2024"_s << QDate(2024, 3, 5);
}

void TestSystemPlatform::monthNamesOfTheLocale()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QDate, date);

    RegionalSettings settings = RegionalSettings::system();
    settings.shortDateFormat = pattern;
    QCOMPARE(regional::formatShortDate(date, settings), text);
    const std::optional<QDateTime> back = regional::toDateTime(text, settings);
    QVERIFY(back.has_value());
    QCOMPARE(back->date(), date);
    // Letter case does not matter when reading, as in the system's own parsing.
    QCOMPARE(regional::toDateTime(text.toUpper(), settings).value_or(QDateTime()).date(), date);
}

void TestSystemPlatform::settingsLiveInTheConfigFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    {
        SystemPlatform system;
        Platform platform = system.platform();
        auto key = platform.settings.createKey(u"\\Software\\Nordvekt\\LIRAS\\2.0"_s);
        QVERIFY(key);
        QVERIFY(key->writeString(u"Start"_s, u"1"_s));
        QCOMPARE(platform.ansi.number(), 1251);
        QCOMPARE(platform.regional.decimalSeparator, u',');
    }
    qputenv("XDG_CONFIG_HOME", saved);
    QVERIFY(QFileInfo(dir.path() + u"/liras-d7/registry/Software/Nordvekt/LIRAS/2.0/Start.sz"_s)
                .isFile());
}

int main(int argc, char *argv[])
{
    qputenv("LC_ALL", "ru_RU.UTF-8");
    qputenv("LANG", "ru_RU.UTF-8");
    QApplication app(argc, argv);
    TestSystemPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_systemplatform.moc"
