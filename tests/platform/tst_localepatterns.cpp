#include "platform/os/localepatterns.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLocalePatterns : public QObject
{
    Q_OBJECT

private slots:
    void withoutTimeZone_data();
    void withoutTimeZone();
    void fromWindowsPicture_data();
    void fromWindowsPicture();
};

void TestLocalePatterns::withoutTimeZone_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("russian") << u"HH:mm:ss t"_s << u"HH:mm:ss"_s;
    QTest::newRow("american") << u"h:mm:ss AP t"_s << u"h:mm:ss AP"_s;
    QTest::newRow("long zone name") << u"HH:mm:ss tttt"_s << u"HH:mm:ss"_s;
    QTest::newRow("zone first") << u"t HH:mm:ss"_s << u"HH:mm:ss"_s;
    QTest::newRow("no zone") << u"H:mm:ss"_s << u"H:mm:ss"_s;
    QTest::newRow("quoted t stays") << u"HH'h't"_s << u"HH'h'"_s;
    QTest::newRow("quoted text with t") << u"H 'uhr at' mm"_s << u"H 'uhr at' mm"_s;
}

void TestLocalePatterns::withoutTimeZone()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(localepatterns::withoutTimeZone(pattern), expected);
}

void TestLocalePatterns::fromWindowsPicture_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");

    QTest::newRow("russian date") << u"dd.MM.yyyy"_s << u"dd.MM.yyyy"_s;
    QTest::newRow("russian time") << u"H:mm:ss"_s << u"H:mm:ss"_s;
    QTest::newRow("american time") << u"h:mm:ss tt"_s << u"h:mm:ss AP"_s;
    QTest::newRow("one-letter marker") << u"h:mm t"_s << u"h:mm A"_s;
    QTest::newRow("era dropped") << u"dd.MM.yyyy gg"_s << u"dd.MM.yyyy"_s;
    QTest::newRow("quoted marker letters") << u"HH'tt'mm"_s << u"HH'tt'mm"_s;
    QTest::newRow("korean prefix") << u"tt h:mm:ss"_s << u"AP h:mm:ss"_s;
}

void TestLocalePatterns::fromWindowsPicture()
{
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(localepatterns::fromWindowsPicture(picture), expected);
}

QTEST_GUILESS_MAIN(TestLocalePatterns)
#include "tst_localepatterns.moc"
