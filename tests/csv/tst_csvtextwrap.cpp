#include "csv/csvtextwrap.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Memo widths of the report, in report pixels.
constexpr double kPxPerMm = 3.77953;
constexpr double kMaterialWidthPx = 20 * kPxPerMm; // 76 px rounded, line limit 456
constexpr double kFactoryWidthPx = 12 * kPxPerMm;  // 45 px rounded, line limit 262
constexpr double kNumberWidthPx = 10 * kPxPerMm;   // 38 px rounded, line limit 219
// A digit is 46 px wide and a space 23 px in the regular face at the breaking height.
constexpr double kExactlyTwentyFiveDigitsPx = 187;  // limit 1150 = 25 digits
constexpr double kOnePxNarrowerPx = 186;           // limit 1144: 25 digits no longer fit
constexpr double kTinyWidthPx = 4;                  // limit 6: every character overflows

} // namespace

class TestCsvTextWrap : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void wrapsLikeTheMemo_data();
    void wrapsLikeTheMemo();
};

void TestCsvTextWrap::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("42 px inner width") << 42 * 6.25 << 262.0;
    QTest::newRow("46 px inner width") << 46 * 6.25 << 288.0;
    QTest::newRow("below half") << 456.25 << 456.0;
    QTest::newRow("above half") << 75.59 << 76.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("whole") << 7.0 << 7.0;
}

void TestCsvTextWrap::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(csv::roundHalfEven(value), expected);
}

void TestCsvTextWrap::wrapsLikeTheMemo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ReportFont>("font");
    QTest::addColumn<double>("widthPx");
    QTest::addColumn<QStringList>("expected");

    const QString digits25 = QString(25, u'0');

    QTest::newRow("fitting value keeps its space")
        << u"Бетон В25"_s << ReportFont::ArialRegular << kMaterialWidthPx << QStringList{u"Бетон В25"_s};
    QTest::newRow("wider value breaks at its space")
        << u"Тяжелый бетон"_s << ReportFont::ArialRegular << kMaterialWidthPx
        << QStringList{u"Тяжелый"_s, u"бетон"_s};
    QTest::newRow("header breaks at the space, then inside the word")
        << u"Инд. зав-сть"_s << ReportFont::ArialBold << kFactoryWidthPx
        << QStringList{u"Инд."_s, u"зав-ст"_s, u"ь"_s};
    QTest::newRow("bold header breaks at its space")
        << u"Вид прозвуч."_s << ReportFont::ArialBold << kMaterialWidthPx
        << QStringList{u"Вид"_s, u"прозвуч."_s};
    QTest::newRow("stored lines wrap on their own")
        << u"Коррекция\nпо W"_s << ReportFont::ArialBold << kMaterialWidthPx
        << QStringList{u"Коррекция"_s, u"по W"_s};
    QTest::newRow("empty stored line is one space")
        << u"a\n\nb"_s << ReportFont::ArialRegular << kMaterialWidthPx
        << QStringList{u"a"_s, u" "_s, u"b"_s};
    QTest::newRow("CR LF and lone CR break lines")
        << u"a\r\nb\rc"_s << ReportFont::ArialRegular << kMaterialWidthPx
        << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("final break opens no line")
        << u"a\r\n"_s << ReportFont::ArialRegular << kMaterialWidthPx << QStringList{u"a"_s};
    QTest::newRow("empty value has no lines")
        << QString() << ReportFont::ArialRegular << kMaterialWidthPx << QStringList{};
    QTest::newRow("no space: break before the overflowing character")
        << u"0000000"_s << ReportFont::ArialRegular << kNumberWidthPx
        << QStringList{u"0000"_s, u"000"_s};
    QTest::newRow("break before the last space met, not the first")
        << u"0 0 0000"_s << ReportFont::ArialRegular << kNumberWidthPx
        << QStringList{u"0 0"_s, u"0000"_s};
    QTest::newRow("overflowing space is the break")
        << u"00 00 00"_s << ReportFont::ArialRegular << kNumberWidthPx
        << QStringList{u"00 00"_s, u"00"_s};
    QTest::newRow("only the breaking space is dropped")
        << u"00  000"_s << ReportFont::ArialRegular << kNumberWidthPx
        << QStringList{u"00 "_s, u"000"_s};
    QTest::newRow("exactly at the limit stays whole")
        << digits25 << ReportFont::ArialRegular << kExactlyTwentyFiveDigitsPx << QStringList{digits25};
    QTest::newRow("one pixel past the limit breaks")
        << digits25 + u'0' << ReportFont::ArialRegular << kExactlyTwentyFiveDigitsPx
        << QStringList{digits25, u"0"_s};
    QTest::newRow("inner width is the rounded width less 3 px")
        << digits25 << ReportFont::ArialRegular << kOnePxNarrowerPx
        << QStringList{QString(24, u'0'), u"0"_s};
    QTest::newRow("one character is never wrapped")
        << u"0"_s << ReportFont::ArialRegular << kTinyWidthPx << QStringList{u"0"_s};
    QTest::newRow("one space is never wrapped away")
        << u"a\n\nb"_s << ReportFont::ArialRegular << kTinyWidthPx << QStringList{u"a"_s, u" "_s, u"b"_s};
    QTest::newRow("a character alone overflowing stands on its own")
        << u"000"_s << ReportFont::ArialRegular << kTinyWidthPx
        << QStringList{u"0"_s, u"0"_s, u"0"_s};
    QTest::newRow("surrogate pair is one character")
        << u"\U0001F600\U0001F600"_s << ReportFont::ArialRegular << kTinyWidthPx
        << QStringList{u"\U0001F600"_s, u"\U0001F600"_s};
    QTest::newRow("width that is not a number breaks every character")
        << u"ab"_s << ReportFont::ArialRegular << qQNaN() << QStringList{u"a"_s, u"b"_s};
}

void TestCsvTextWrap::wrapsLikeTheMemo()
{
    QFETCH(QString, text);
    QFETCH(ReportFont, font);
    QFETCH(double, widthPx);
    QFETCH(QStringList, expected);
    QCOMPARE(csv::wrapMemoLines(text, font, widthPx), expected);
}

QTEST_APPLESS_MAIN(TestCsvTextWrap)
#include "tst_csvtextwrap.moc"
