#include "report/fontmetrics.h"
#include "report/textlayout.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Liberation Sans: ascent 1854, descent -434 of 2048 units.
double ascentPx(double heightPx) { return 1854.0 * heightPx / 2048.0; }
double lineHeightPx(double heightPx) { return 2288.0 * heightPx / 2048.0; }

MemoStyle style(ReportFont font, HAlign h, VAlign v)
{
    MemoStyle s;
    s.font = font;
    s.fontHeightPx = 13;
    s.hAlign = h;
    s.vAlign = v;
    return s;
}

} // namespace

class TestTextLayout : public QObject
{
    Q_OBJECT

private slots:
    void wrapping_data();
    void wrapping();
    void alignment_data();
    void alignment();
    void linesBelowTheBoxAreLeftOut();
    void emptyTextHasNoLines();
};

void TestTextLayout::wrapping_data()
{
    QTest::addColumn<int>("font");
    QTest::addColumn<double>("widthPx");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    const int regular = int(ReportFont::ArialRegular);
    const int bold = int(ReportFont::ArialBold);
    QTest::newRow("fits whole") << regular << 75.59 << u"Бетон В25"_s << QStringList{u"Бетон В25"_s};
    QTest::newRow("wraps at the space, space dropped")
        << regular << 75.59 << u"Тяжелый бетон"_s << QStringList{u"Тяжелый"_s, u"бетон"_s};
    QTest::newRow("last space before the overflow")
        << regular << 60.0 << u"один два три"_s << QStringList{u"один два"_s, u"три"_s};
    QTest::newRow("long word broken at characters")
        << regular << 37.80 << u"1234567890"_s << QStringList{u"1234"_s, u"5678"_s, u"90"_s};
    QTest::newRow("one wide character stays on its own line")
        << regular << 5.0 << u"ЖЖ"_s << QStringList{u"Ж"_s, u"Ж"_s};
    QTest::newRow("stored lines wrap on their own")
        << bold << 75.59 << u"Коррекция\nпо W"_s << QStringList{u"Коррекция"_s, u"по W"_s};
    QTest::newRow("empty stored line keeps its place")
        << regular << 75.59 << u"а\n\nб"_s << QStringList{u"а"_s, QString(), u"б"_s};
}

void TestTextLayout::wrapping()
{
    QFETCH(int, font);
    QFETCH(double, widthPx);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    const MemoStyle s = style(ReportFont(font), HAlign::Left, VAlign::Top);
    const PreparedBox box{&s, 0, 0, widthPx, 200, text};
    const std::vector<textlayout::Line> got = textlayout::layoutBox(box);

    QStringList texts;
    for (const textlayout::Line &l : got)
        texts << l.text;
    QCOMPARE(texts, lines);
    for (size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].xPx, 2.0);
        QCOMPARE(got[i].baselinePx, 1 + ascentPx(13) + i * (lineHeightPx(13) + 2));
        // Every broken line but a lone character must fit the inner width.
        if (got[i].text.size() > 1)
            QVERIFY(fontmetrics::textWidthPx(ReportFont(font), got[i].text, 13) <= widthPx - 4 + 1e-9);
    }
}

void TestTextLayout::alignment_data()
{
    QTest::addColumn<int>("hAlign");
    QTest::addColumn<int>("vAlign");
    QTest::addColumn<double>("expectedX");
    QTest::addColumn<double>("expectedBaseline");

    const double w = fontmetrics::textWidthPx(ReportFont::ArialRegular, u"09.12.2026", 13);
    const double boxW = 98.27;
    const double boxH = 30.24;
    QTest::newRow("left top") << int(HAlign::Left) << int(VAlign::Top) << 2.0 << 1 + ascentPx(13);
    QTest::newRow("centre top") << int(HAlign::Center) << int(VAlign::Top) << 2 + (boxW - 4 - w) / 2
                                << 1 + ascentPx(13);
    QTest::newRow("right centre") << int(HAlign::Right) << int(VAlign::Center) << boxW - 2 - w
                                  << (boxH - lineHeightPx(13)) / 2 + ascentPx(13);
    QTest::newRow("left bottom") << int(HAlign::Left) << int(VAlign::Bottom) << 2.0
                                 << boxH - 1 - lineHeightPx(13) + ascentPx(13);
}

void TestTextLayout::alignment()
{
    QFETCH(int, hAlign);
    QFETCH(int, vAlign);
    QFETCH(double, expectedX);
    QFETCH(double, expectedBaseline);

    const MemoStyle s = style(ReportFont::ArialRegular, HAlign(hAlign), VAlign(vAlign));
    const PreparedBox box{&s, 500, 300, 98.27, 30.24, u"09.12.2026"_s};
    const std::vector<textlayout::Line> got = textlayout::layoutBox(box);
    QCOMPARE(got.size(), size_t(1));
    QVERIFY(qAbs(got[0].xPx - expectedX) < 1e-9);
    QVERIFY(qAbs(got[0].baselinePx - expectedBaseline) < 1e-9);
}

void TestTextLayout::linesBelowTheBoxAreLeftOut()
{
    // A data line is 18.9 px high: the second line starts inside it (to be clipped), the
    // third starts below it and is not drawn at all.
    const MemoStyle s = style(ReportFont::ArialRegular, HAlign::Center, VAlign::Top);
    const PreparedBox box{&s, 0, 0, 37.8, 18.9, u"один два три"_s};
    const std::vector<textlayout::Line> got = textlayout::layoutBox(box);
    QCOMPARE(got.size(), size_t(2));
    QCOMPARE(got[0].text, u"один"_s);
    QCOMPARE(got[1].text, u"два"_s);
}

void TestTextLayout::emptyTextHasNoLines()
{
    const MemoStyle s = style(ReportFont::ArialRegular, HAlign::Center, VAlign::Top);
    const PreparedBox box{&s, 0, 0, 37.8, 18.9, QString()};
    QVERIFY(textlayout::layoutBox(box).empty());
}

QTEST_APPLESS_MAIN(TestTextLayout)
#include "tst_textlayout.moc"
