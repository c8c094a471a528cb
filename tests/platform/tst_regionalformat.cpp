#include "platform/apperror.h"
#include "platform/regionalformat.h"

#include <QTest>

#include <cmath>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

RegionalSettings russian()
{
    RegionalSettings settings;
    settings.decimalSeparator = u',';
    settings.thousandSeparator = u' ';
    settings.shortDateFormat = u"dd.MM.yyyy"_s;
    settings.longTimeFormat = u"H:mm:ss"_s;
    return settings;
}

RegionalSettings american()
{
    RegionalSettings settings;
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    settings.shortDateFormat = u"M/d/yyyy"_s;
    settings.longTimeFormat = u"h:mm:ss AP"_s;
    return settings;
}

} // namespace

class TestRegionalFormat : public QObject
{
    Q_OBJECT

private slots:
    void toNumber_data();
    void toNumber();
    void toNumberOrThrow();
    void formatNumber_data();
    void formatNumber();
    void toDateTime_data();
    void toDateTime();
    void formatDateTime_data();
    void formatDateTime();
    void roundTripOfFormattedDates();
    void timeInDaylightSavingGapKept();
    void zeroDate();
};

void TestRegionalFormat::toNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    QTest::newRow("integer") << u"42"_s << true << true << 42.0;
    QTest::newRow("decimal comma") << u"12,5"_s << true << true << 12.5;
    QTest::newRow("leading and trailing blanks") << u"  3,25  "_s << true << true << 3.25;
    QTest::newRow("minus") << u"-0,75"_s << true << true << -0.75;
    QTest::newRow("plus") << u"+7"_s << true << true << 7.0;
    QTest::newRow("no integer digits") << u",5"_s << true << true << 0.5;
    QTest::newRow("no fraction digits") << u"5,"_s << true << true << 5.0;
    QTest::newRow("exponent") << u"1,5E3"_s << true << true << 1500.0;
    QTest::newRow("negative exponent") << u"25e-2"_s << true << true << 0.25;
    QTest::newRow("exponent plus") << u"2e+2"_s << true << true << 200.0;
    QTest::newRow("underflow is zero") << u"1e-400"_s << true << true << 0.0;
    QTest::newRow("point under comma") << u"12.5"_s << true << false << 0.0;
    QTest::newRow("comma under point") << u"12,5"_s << false << false << 0.0;
    QTest::newRow("point under point") << u"12.5"_s << false << true << 12.5;
    QTest::newRow("thousands separator") << u"1 234"_s << true << false << 0.0;
    QTest::newRow("empty") << QString() << true << false << 0.0;
    QTest::newRow("blanks only") << u"   "_s << true << false << 0.0;
    QTest::newRow("sign only") << u"-"_s << true << false << 0.0;
    QTest::newRow("separator only") << u","_s << true << false << 0.0;
    QTest::newRow("exponent without digits") << u"1e"_s << true << false << 0.0;
    QTest::newRow("exponent sign only") << u"1e-"_s << true << false << 0.0;
    QTest::newRow("trailing letter") << u"12a"_s << true << false << 0.0;
    QTest::newRow("blank inside") << u"1 2"_s << true << false << 0.0;
    QTest::newRow("two signs") << u"--1"_s << true << false << 0.0;
    QTest::newRow("tab is no blank") << u"\t1"_s << true << false << 0.0;
    QTest::newRow("overflow") << u"1e400"_s << true << false << 0.0;
    QTest::newRow("inf word") << u"inf"_s << true << false << 0.0;
    QTest::newRow("nan word") << u"nan"_s << true << false << 0.0;
    QTest::newRow("hex") << u"0x10"_s << true << false << 0.0;
    QTest::newRow("arabic-indic digits") << u"\u0661\u0662"_s << true << false << 0.0;
}

void TestRegionalFormat::toNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, comma);
    QFETCH(bool, valid);
    QFETCH(double, expected);

    const std::optional<double> value = regional::toNumber(text, comma ? russian() : american());
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

void TestRegionalFormat::toNumberOrThrow()
{
    QCOMPARE(regional::toNumberOrThrow(u" 1,5"_s, russian()), 1.5);
    try {
        regional::toNumberOrThrow(u"12.5 %"_s, russian());
        QFAIL("no error raised");
    } catch (const AppError &error) {
        QCOMPARE(error.userText(), u"'12.5 %' is not a valid floating point value"_s);
    }
}

void TestRegionalFormat::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouping") << 1234.5 << true << u"1 234,5"_s;
    QTest::newRow("plain decimal") << 12.5 << true << u"12,5"_s;
    QTest::newRow("integer") << 3.0 << true << u"3"_s;
    QTest::newRow("zero") << 0.0 << true << u"0"_s;
    QTest::newRow("below a thousandth") << 0.0004 << true << u"0"_s;
    QTest::newRow("half a thousandth rounds up") << 0.0005 << true << u"0,001"_s;
    QTest::newRow("decimal half rounds up") << 1.0005 << true << u"1,001"_s;
    QTest::newRow("three decimals kept") << 2.125 << true << u"2,125"_s;
    QTest::newRow("fourth decimal rounds") << 2.1256 << true << u"2,126"_s;
    QTest::newRow("trailing zeros dropped") << 2.1 << true << u"2,1"_s;
    QTest::newRow("carry into integer") << 9.9996 << true << u"10"_s;
    QTest::newRow("carry into new group") << 999.9996 << true << u"1 000"_s;
    QTest::newRow("negative") << -1234.5 << true << u"-1 234,5"_s;
    QTest::newRow("negative rounding to zero") << -0.0001 << true << u"0"_s;
    QTest::newRow("millions") << 1234567.891 << true << u"1 234 567,891"_s;
    QTest::newRow("exact thousand") << 1000.0 << true << u"1 000"_s;
    QTest::newRow("below a thousand") << 999.0 << true << u"999"_s;
    QTest::newRow("point settings") << 1234.5 << false << u"1,234.5"_s;
    QTest::newRow("large") << 1e15 << true << u"1 000 000 000 000 000"_s;
}

void TestRegionalFormat::formatNumber()
{
    QFETCH(double, value);
    QFETCH(bool, comma);
    QFETCH(QString, expected);
    QCOMPARE(regional::formatNumber(value, comma ? russian() : american()), expected);
}

void TestRegionalFormat::toDateTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("russianSettings");
    QTest::addColumn<QDateTime>("expected"); // invalid: no date

    const QDateTime none;
    QTest::newRow("date") << u"05.03.2024"_s << true << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC);
    QTest::newRow("no leading zeros") << u"5.3.2024"_s << true
                                      << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC);
    QTest::newRow("surrounding blanks") << u" 05.03.2024 "_s << true
                                        << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC);
    QTest::newRow("long time") << u"05.03.2024 14:07:09"_s << true
                               << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);
    QTest::newRow("short time") << u"05.03.2024 14:07"_s << true
                                << QDateTime(QDate(2024, 3, 5), QTime(14, 7), Qt::UTC);
    QTest::newRow("short time one-digit hour") << u"05.03.2024 9:07"_s << true
                                               << QDateTime(QDate(2024, 3, 5), QTime(9, 7), Qt::UTC);
    QTest::newRow("two-digit year") << u"05.03.24"_s << true
                                    << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC);
    QTest::newRow("abc") << u"abc"_s << true << none;
    QTest::newRow("empty") << QString() << true << none;
    QTest::newRow("slashes under points") << u"05/03/2024"_s << true << none;
    QTest::newRow("wrong order") << u"2024.03.05"_s << true << none;
    QTest::newRow("no such day") << u"30.02.2024"_s << true << none;
    QTest::newRow("month 13") << u"01.13.2024"_s << true << none;
    QTest::newRow("three-digit day") << u"005.03.2024"_s << true << none;
    QTest::newRow("hour 24") << u"05.03.2024 24:00:00"_s << true << none;
    QTest::newRow("minute 60") << u"05.03.2024 10:60"_s << true << none;
    QTest::newRow("text after time") << u"05.03.2024 10:00:00 x"_s << true << none;
    QTest::newRow("time glued to date") << u"05.03.202410:00"_s << true << none;
    QTest::newRow("leap day") << u"29.02.2024"_s << true
                              << QDateTime(QDate(2024, 2, 29), QTime(0, 0), Qt::UTC);
    QTest::newRow("american date") << u"3/5/2024"_s << false
                                   << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC);
    QTest::newRow("american pm") << u"3/5/2024 2:07:09 PM"_s << false
                                 << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);
    QTest::newRow("american midnight am") << u"3/5/2024 12:00:01 am"_s << false
                                          << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1), Qt::UTC);
    QTest::newRow("american 24-hour short time") << u"3/5/2024 14:07"_s << false
                                                 << QDateTime(QDate(2024, 3, 5), QTime(14, 7), Qt::UTC);
    QTest::newRow("american day first") << u"13/5/2024"_s << false << none;
}

void TestRegionalFormat::toDateTime()
{
    QFETCH(QString, text);
    QFETCH(bool, russianSettings);
    QFETCH(QDateTime, expected);

    const std::optional<QDateTime> value =
        regional::toDateTime(text, russianSettings ? russian() : american());
    QCOMPARE(value.has_value(), expected.isValid());
    if (value)
        QCOMPARE(*value, expected);
}

void TestRegionalFormat::formatDateTime_data()
{
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<bool>("russianSettings");
    QTest::addColumn<QString>("expected");

    QTest::newRow("midnight shows no time")
        << QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC) << true << u"05.03.2024"_s;
    QTest::newRow("time") << QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), Qt::UTC) << true
                          << u"05.03.2024 9:07:03"_s;
    QTest::newRow("one second past midnight") << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1), Qt::UTC)
                                              << true << u"05.03.2024 0:00:01"_s;
    QTest::newRow("zero date") << regional::zeroDate() << true << u"30.12.1899"_s;
    QTest::newRow("american afternoon") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC)
                                        << false << u"3/5/2024 2:07:09 PM"_s;
    QTest::newRow("american just after midnight")
        << QDateTime(QDate(2024, 3, 5), QTime(0, 30), Qt::UTC) << false << u"3/5/2024 12:30:00 AM"_s;
    QTest::newRow("invalid") << QDateTime() << true << QString();
}

void TestRegionalFormat::formatDateTime()
{
    QFETCH(QDateTime, value);
    QFETCH(bool, russianSettings);
    QFETCH(QString, expected);
    QCOMPARE(regional::formatDateTime(value, russianSettings ? russian() : american()), expected);
}

void TestRegionalFormat::roundTripOfFormattedDates()
{
    // What the tables show must read back as the same value: the sort relies on it.
    const QDateTime values[] = {
        QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59), Qt::UTC),
        QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC),
        QDateTime(QDate(1999, 7, 4), QTime(12, 0, 0), Qt::UTC),
    };
    for (const RegionalSettings &settings : {russian(), american()}) {
        for (const QDateTime &value : values) {
            const QString text = regional::formatDateTime(value, settings);
            const std::optional<QDateTime> back = regional::toDateTime(text, settings);
            QVERIFY2(back.has_value(), qPrintable(text));
            QCOMPARE(*back, value);
        }
    }
}

void TestRegionalFormat::timeInDaylightSavingGapKept()
{
    // 02:30 on 31 March 2024 does not exist on Berlin clocks; an archive may still hold it.
    const QByteArray savedTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const std::optional<QDateTime> value =
        regional::toDateTime(u"31.03.2024 2:30:00"_s, russian());
    const QString shown = value ? regional::formatDateTime(*value, russian()) : QString();
    if (savedTz.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedTz);
    tzset();
    QVERIFY(value.has_value());
    QCOMPARE(value->time(), QTime(2, 30));
    QCOMPARE(shown, u"31.03.2024 2:30:00"_s);
}

void TestRegionalFormat::zeroDate()
{
    QCOMPARE(regional::zeroDate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC));
}

QTEST_GUILESS_MAIN(TestRegionalFormat)
#include "tst_regionalformat.moc"
