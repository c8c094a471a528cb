#include "reportfixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr double kMm = 3.77953;

// One build of the basic table with n rows, as the preview command prepares it.
struct Build : BuiltReport
{
    Build(int n, bool showReadings, int sliceRecords = 1000)
        : BuiltReport(basicTable(n), showReadings, sliceRecords)
    {
    }
};

const PreparedBox *find(const PreparedPage &page, QStringView memo, int nth = 0)
{
    for (const PreparedBox &b : page.boxes) {
        if (b.style->name == memo && nth-- == 0)
            return &b;
    }
    return nullptr;
}

int count(const PreparedPage &page, QStringView memo)
{
    int n = 0;
    for (const PreparedBox &b : page.boxes)
        n += b.style->name == memo;
    return n;
}

} // namespace

class TestReportBuilder : public QObject
{
    Q_OBJECT

private slots:
    void pagesAndLines_data();
    void pagesAndLines();
    void bandTopsOnTheFirstPage();
    void laterPagesStartAtTheTop();
    void titleOnlyWithoutRecords();
    void readingsMemoOnlyWhenVisible_data();
    void readingsMemoOnlyWhenVisible();
    void boxesFollowStoredOrder();
    void sliceSizeDoesNotChangeTheResult();
};

void TestReportBuilder::pagesAndLines_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("linesPerPage");

    QTest::newRow("one") << 1 << QList<int>{1};
    QTest::newRow("34 fill page 1") << 34 << QList<int>{34};
    QTest::newRow("35th starts page 2") << 35 << QList<int>{34, 1};
    QTest::newRow("72 fill page 2") << 72 << QList<int>{34, 38};
    QTest::newRow("73rd starts page 3") << 73 << QList<int>{34, 38, 1};
}

void TestReportBuilder::pagesAndLines()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, linesPerPage);

    const Build b(rows, false);
    QList<int> got;
    for (const PreparedPage &p : b.report.pages)
        got << count(p, u"Memo1");
    QCOMPARE(got, linesPerPage);

    // Records run on across pages in order, and only page 1 has title and header.
    int record = 0;
    for (size_t p = 0; p < b.report.pages.size(); ++p) {
        const PreparedPage &page = b.report.pages[p];
        QCOMPARE(count(page, u"Memo38"), p == 0 ? 1 : 0);
        QCOMPARE(count(page, u"Memo20"), p == 0 ? 1 : 0);
        for (int i = 0; i < linesPerPage[int(p)]; ++i)
            QCOMPARE(find(page, u"Memo1", i)->text, u"r%1c0"_s.arg(record++));
    }
    QCOMPARE(record, rows);
}

void TestReportBuilder::bandTopsOnTheFirstPage()
{
    const Build b(34, false);
    const PreparedPage &page = b.report.pages.front();
    QCOMPARE(find(page, u"Memo38")->topPx, 0.0);
    QCOMPARE(find(page, u"Memo40")->topPx, 0.0);
    QCOMPARE(find(page, u"Memo40")->text, u"09.12.2026"_s);
    QVERIFY(qAbs(find(page, u"Memo20")->topPx - 9.0 * kMm) < 1e-9);
    QVERIFY(qAbs(find(page, u"Memo32")->topPx - 9.0 * kMm) < 1e-9);
    for (int k = 0; k < 34; ++k) {
        const PreparedBox *box = find(page, u"Memo41", k);
        QVERIFY(qAbs(box->topPx - (18.0 + 5.0 * k) * kMm) < 1e-9);
        QCOMPARE(box->text, u"r%1c21"_s.arg(k));
        QVERIFY(qAbs(find(page, u"Memo7", k)->heightPx - 5.0 * kMm) < 1e-9);
    }
}

void TestReportBuilder::laterPagesStartAtTheTop()
{
    const Build b(73, false);
    const PreparedPage &page2 = b.report.pages[1];
    for (int k = 0; k < 38; ++k)
        QVERIFY(qAbs(find(page2, u"Memo1", k)->topPx - 5.0 * k * kMm) < 1e-9);
    // The last line ends on the bottom margin: 38 lines fill 190 mm exactly.
    const PreparedBox *last = find(page2, u"Memo1", 37);
    QVERIFY(qAbs(last->topPx + last->heightPx - 190.0 * kMm) < 1e-6);
    QCOMPARE(find(b.report.pages[2], u"Memo1")->topPx, 0.0);
    QCOMPARE(find(b.report.pages[2], u"Memo1")->text, u"r72c0"_s);
}

void TestReportBuilder::titleOnlyWithoutRecords()
{
    const Build b(0, true);
    QCOMPARE(b.report.pages.size(), size_t(1));
    const PreparedPage &page = b.report.pages.front();
    QCOMPARE(page.boxes.size(), size_t(2));
    QCOMPARE(page.boxes[0].style->name, u"Memo38"_s);
    QCOMPARE(page.boxes[0].text, u"ЛИРАС-Д7"_s);
    QCOMPARE(page.boxes[1].style->name, u"Memo40"_s);
    QCOMPARE(page.boxes[1].text, u"09.12.2026"_s);
}

void TestReportBuilder::readingsMemoOnlyWhenVisible_data()
{
    QTest::addColumn<bool>("show");
    QTest::newRow("hidden for preview and PDF") << false;
    QTest::newRow("shown for CSV") << true;
}

void TestReportBuilder::readingsMemoOnlyWhenVisible()
{
    QFETCH(bool, show);
    const Build b(35, show);
    QCOMPARE(count(b.report.pages[0], u"Memo42"), show ? 34 : 0);
    QCOMPARE(count(b.report.pages[1], u"Memo42"), show ? 1 : 0);
    QCOMPARE(b.report.pages[0].boxes.size(), size_t(2 + 19 + 34 * (show ? 20 : 19)));
    if (show) {
        const PreparedBox *readings = find(b.report.pages[1], u"Memo42");
        QCOMPARE(readings->text, u";4120;r34c24;r34c25;r34c26;r34c27;r34c28;r34c29;r34c30;r34c31;r34c32;"
                                 u"r34c33;r34c34;r34c35;r34c36;r34c37"_s);
        QCOMPARE(readings->leftPx, 1042.98485);
    }
}

void TestReportBuilder::boxesFollowStoredOrder()
{
    const Build b(1, true);
    QStringList names;
    for (const PreparedBox &box : b.report.pages.front().boxes)
        names << box.style->name;
    QStringList expected{u"Memo38"_s, u"Memo40"_s};
    const ReportLayout layout;
    for (const ReportMemo &m : layout.band(BandKind::Header).memos)
        expected << m.style.name;
    for (const ReportMemo &m : layout.band(BandKind::MasterData).memos)
        expected << m.style.name;
    QCOMPARE(names, expected);
    QCOMPARE(names.at(20), u"Memo32"_s);
}

void TestReportBuilder::sliceSizeDoesNotChangeTheResult()
{
    const Build whole(80, false, 1000);
    const Build sliced(80, false, 7);
    QCOMPARE(sliced.report.pages.size(), whole.report.pages.size());
    for (size_t p = 0; p < whole.report.pages.size(); ++p) {
        const auto &a = whole.report.pages[p].boxes;
        const auto &c = sliced.report.pages[p].boxes;
        QCOMPARE(c.size(), a.size());
        for (size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(c[i].text, a[i].text);
            QCOMPARE(c[i].topPx, a[i].topPx);
        }
    }
}

QTEST_APPLESS_MAIN(TestReportBuilder)
#include "tst_reportbuilder.moc"
