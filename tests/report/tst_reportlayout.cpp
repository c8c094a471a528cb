#include "report/reportlayout.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

double round2(double v) { return std::round(v * 100) / 100; }

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void memoGeometry_data();
    void memoGeometry();
    void shiftedMemosKeepTheirStoredPixels();
    void headerMemosAreStoredWithMemo32Last();
    void memosAreFoundWithoutRegardToCase();
    void fontsFramesAndAlignment_data();
    void fontsFramesAndAlignment();
    void bands();
};

void TestReportLayout::memoGeometry_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<double>("leftPx");
    QTest::addColumn<double>("rightPx");
    QTest::addColumn<double>("heightPx");

    // Edges of the page grid as the CSV export sees them, to two decimals.
    QTest::newRow("col 1 data") << u"Memo1"_s << 0.0 << 37.80 << 18.90;
    QTest::newRow("col 2 header") << u"Memo21"_s << 37.80 << 117.17 << 34.02;
    QTest::newRow("col 4 header") << u"Memo23"_s << 166.30 << 211.65 << 34.02;
    QTest::newRow("col 7 data") << u"Memo7"_s << 362.83 << 438.43 << 18.90;
    QTest::newRow("col 10 header Memo39") << u"Memo39"_s << 525.35 << 570.71 << 34.02;
    QTest::newRow("col 14 header Memo32") << u"Memo32"_s << 733.23 << 786.14 << 34.02;
    QTest::newRow("col 16 data") << u"Memo16"_s << 842.84 << 884.41 << 18.90;
    QTest::newRow("col 17 header") << u"Memo35"_s << 884.41 << 960.00 << 34.02;
    QTest::newRow("col 18 data") << u"Memo18"_s << 960.00 << 997.80 << 18.90;
    QTest::newRow("col 18 header shifted") << u"Memo36"_s << 959.78 << 997.58 << 34.02;
    QTest::newRow("col 19 data") << u"Memo41"_s << 997.80 << 1043.15 << 18.90;
    QTest::newRow("col 19 header shifted") << u"Memo37"_s << 997.58 << 1042.93 << 34.02;
    QTest::newRow("readings") << u"Memo42"_s << 1042.98 << 1080.78 << 18.90;
    QTest::newRow("title name") << u"Memo38"_s << 854.17 << 948.66 << 30.24;
    QTest::newRow("title date") << u"Memo40"_s << 948.66 << 1046.93 << 30.24;
}

void TestReportLayout::memoGeometry()
{
    QFETCH(QString, memo);
    QFETCH(double, leftPx);
    QFETCH(double, rightPx);
    QFETCH(double, heightPx);

    const ReportLayout layout;
    const ReportMemo *m = layout.findMemo(memo);
    QVERIFY(m);
    QCOMPARE(round2(m->leftPx), leftPx);
    QCOMPARE(round2(m->leftPx + m->widthPx), rightPx);
    QCOMPARE(round2(m->heightPx), heightPx);
    QCOMPARE(m->topPx, 0.0);
}

void TestReportLayout::shiftedMemosKeepTheirStoredPixels()
{
    const ReportLayout layout;
    QCOMPARE(layout.findMemo(u"Memo36")->leftPx, 959.78015);
    QCOMPARE(layout.findMemo(u"Memo18")->leftPx, 960.00062);
    QCOMPARE(layout.findMemo(u"Memo37")->leftPx, 997.57545);
    QCOMPARE(layout.findMemo(u"Memo41")->leftPx, 997.79592);
    QCOMPARE(layout.findMemo(u"Memo41")->leftPx + layout.findMemo(u"Memo41")->widthPx, 1043.15028);
    QCOMPARE(layout.findMemo(u"Memo42")->leftPx, 1042.98485);
    QCOMPARE(layout.findMemo(u"Memo36")->widthPx, layout.findMemo(u"Memo18")->widthPx);
    QCOMPARE(layout.findMemo(u"Memo37")->widthPx, layout.findMemo(u"Memo41")->widthPx);
}

void TestReportLayout::headerMemosAreStoredWithMemo32Last()
{
    const ReportLayout layout;
    QStringList header;
    for (const ReportMemo &m : layout.band(BandKind::Header).memos)
        header << m.style.name;
    QCOMPARE(header, (QStringList{u"Memo20"_s, u"Memo21"_s, u"Memo22"_s, u"Memo23"_s, u"Memo24"_s,
                                  u"Memo25"_s, u"Memo26"_s, u"Memo27"_s, u"Memo28"_s, u"Memo39"_s,
                                  u"Memo29"_s, u"Memo30"_s, u"Memo31"_s, u"Memo33"_s, u"Memo34"_s,
                                  u"Memo35"_s, u"Memo36"_s, u"Memo37"_s, u"Memo32"_s}));

    QStringList data;
    QStringList dataTexts;
    for (const ReportMemo &m : layout.band(BandKind::MasterData).memos) {
        data << m.style.name;
        dataTexts << m.text;
    }
    QCOMPARE(data.last(), u"Memo42"_s);
    QCOMPARE(data.at(data.size() - 2), u"Memo41"_s);
    QCOMPARE(dataTexts, (QStringList{u"[Cell1]"_s, u"[Cell2]"_s, u"[Cell3]"_s, u"[Cell4]"_s, u"[Cell5]"_s,
                                     u"[Cell6]"_s, u"[Cell7]"_s, u"[Cell8]"_s, u"[Cell12]"_s, u"[Cell13]"_s,
                                     u"[Cell14]"_s, u"[Cell15]"_s, u"[Cell16]"_s, u"[Cell17]"_s,
                                     u"[Cell18]"_s, u"[Cell19]"_s, u"[Cell20]"_s, u"[Cell21]"_s,
                                     u"[Cell22]"_s, u"[Cell100]"_s}));
}

void TestReportLayout::memosAreFoundWithoutRegardToCase()
{
    ReportLayout layout;
    ReportMemo *byName = layout.findMemo(u"Memo42");
    QVERIFY(byName);
    QCOMPARE(layout.findMemo(u"mEMO42"), byName);
    QCOMPARE(layout.findMemo(u"MEMO40")->style.name, u"Memo40"_s);
    QVERIFY(!layout.findMemo(u"Memo43"));
    QVERIFY(!layout.findMemo(u"Memo4 "));
}

void TestReportLayout::fontsFramesAndAlignment_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("font");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<int>("hAlign");
    QTest::addColumn<int>("vAlign");
    QTest::addColumn<QString>("text");

    QTest::newRow("title name") << u"Memo38"_s << int(ReportFont::SegoeUiBold) << false << int(HAlign::Right)
                                << int(VAlign::Center) << u"ЛИРАС-Д7"_s;
    QTest::newRow("title date") << u"Memo40"_s << int(ReportFont::ArialRegular) << false << int(HAlign::Right)
                                << int(VAlign::Center) << u"Memo3"_s;
    QTest::newRow("header, two stored lines")
        << u"Memo35"_s << int(ReportFont::ArialBold) << true << int(HAlign::Center) << int(VAlign::Top)
        << u"Коррекция\nпо W"_s;
    // Latin T here, Cyrillic Т in "Т0, мкс".
    QTest::newRow("header Latin T") << u"Memo39"_s << int(ReportFont::ArialBold) << true << int(HAlign::Center)
                                    << int(VAlign::Top) << u"T, мкс"_s;
    QTest::newRow("header Cyrillic Т") << u"Memo30"_s << int(ReportFont::ArialBold) << true
                                       << int(HAlign::Center) << int(VAlign::Top) << u"\u04220, мкс"_s;
    QTest::newRow("data") << u"Memo9"_s << int(ReportFont::ArialRegular) << true << int(HAlign::Center)
                          << int(VAlign::Top) << u"[Cell12]"_s;
}

void TestReportLayout::fontsFramesAndAlignment()
{
    QFETCH(QString, memo);
    QFETCH(int, font);
    QFETCH(bool, frame);
    QFETCH(int, hAlign);
    QFETCH(int, vAlign);
    QFETCH(QString, text);

    const ReportLayout layout;
    const ReportMemo *m = layout.findMemo(memo);
    QVERIFY(m);
    QCOMPARE(int(m->style.font), font);
    QCOMPARE(m->style.fontHeightPx, 13.0);
    QCOMPARE(m->style.frame, frame);
    QCOMPARE(int(m->style.hAlign), hAlign);
    QCOMPARE(int(m->style.vAlign), vAlign);
    QCOMPARE(m->text, text);
    QVERIFY(m->visible);
}

void TestReportLayout::bands()
{
    const ReportLayout layout;
    QCOMPARE(layout.pageName(), u"Page1"_s);
    QStringList names;
    for (const ReportBand &b : layout.bands())
        names << b.name;
    QCOMPARE(names, (QStringList{u"ReportTitle1"_s, u"Header1"_s, u"MasterData1"_s}));
    QCOMPARE(round2(layout.band(BandKind::ReportTitle).heightPx), 34.02);
    QCOMPARE(round2(layout.band(BandKind::Header).heightPx), 34.02);
    QCOMPARE(round2(layout.band(BandKind::MasterData).heightPx), 18.90);
    QCOMPARE(round2(layout.printableWidthPx()), 1046.93);
    QCOMPARE(round2(layout.printableHeightPx()), 718.11);
}

QTEST_APPLESS_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
