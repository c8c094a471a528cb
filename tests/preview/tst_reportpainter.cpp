#include "preview/previewarea.h"
#include "preview/reportpainter.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool isInk(QRgb pixel) { return qGray(pixel) < 160; }

// Ink anywhere in the rectangle (image coordinates).
bool hasInk(const QImage &image, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (isInk(image.pixel(x, y)))
                return true;
        }
    }
    return false;
}

QImage paint(const PreparedPage &page)
{
    QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page);
    return image;
}

} // namespace

class TestReportPainter : public QObject
{
    Q_OBJECT

private slots:
    void framesAreLinesOnTheEdges();
    void textIsClippedToItsMemo_data();
    void textIsClippedToItsMemo();
    void previewPagesScroll();
};

void TestReportPainter::framesAreLinesOnTheEdges()
{
    MemoStyle framed;
    framed.frame = true;
    MemoStyle bare;
    PreparedPage page;
    page.boxes.push_back({&framed, 20, 20, 100, 40, QString()});
    page.boxes.push_back({&framed, 120, 20, 100, 40, QString()});
    page.boxes.push_back({&bare, 20, 100, 100, 40, QString()});
    const QImage image = paint(page);

    QVERIFY(hasInk(image, QRect(20, 40, 1, 1)));  // left edge
    QVERIFY(hasInk(image, QRect(120, 40, 1, 1))); // shared edge
    QVERIFY(hasInk(image, QRect(60, 20, 1, 1)));  // top
    QVERIFY(hasInk(image, QRect(60, 60, 1, 1)));  // bottom
    QVERIFY(hasInk(image, QRect(220, 40, 1, 1))); // right of the second
    QVERIFY(!hasInk(image, QRect(22, 22, 96, 36))); // inside stays clear
    QVERIFY(!hasInk(image, QRect(18, 98, 104, 44))); // no frame, no text: nothing
}

void TestReportPainter::textIsClippedToItsMemo_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("long word") << u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"_s;
    QTest::newRow("wrapped lines below the memo") << u"Тяжелый бетон марки В25 с добавками"_s;
}

void TestReportPainter::textIsClippedToItsMemo()
{
    QFETCH(QString, text);
    MemoStyle style;
    style.hAlign = HAlign::Left;
    PreparedPage page;
    page.boxes.push_back({&style, 50, 50, 60, 18.9, text});
    const QImage image = paint(page);

    QVERIFY(hasInk(image, QRect(52, 51, 56, 17)));   // the text is drawn
    QVERIFY(!hasInk(image, QRect(111, 40, 280, 40))); // nothing right of the memo
    QVERIFY(!hasInk(image, QRect(40, 70, 100, 60)));  // nothing below it
}

void TestReportPainter::previewPagesScroll()
{
    PreparedReport report;
    report.pages.resize(5000);
    PreviewArea area;
    area.resize(1300, 900);
    area.setReport(&report);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));

    const QSize page = PreviewArea::pageSizePx();
    QCOMPARE(page, QSize(1123, 794));
    const int stride = page.height() + PreviewArea::pageGapPx();
    QCOMPARE(area.firstVisiblePage(), 0);
    QCOMPARE(area.pageRect(0).top(), PreviewArea::pageGapPx());

    QScrollBar *bar = area.verticalScrollBar();
    QCOMPARE(bar->maximum(), PreviewArea::pageGapPx() + 5000 * stride - area.viewport()->height());
    bar->setValue(4321 * stride + 100);
    QCOMPARE(area.firstVisiblePage(), 4321);
    QCOMPARE(area.pageRect(4321).top(), PreviewArea::pageGapPx() - 100);
    bar->setValue(bar->maximum());
    QCOMPARE(area.firstVisiblePage(), 4998);

    // Fewer pages shrink the range.
    report.pages.resize(1);
    area.pagesChanged();
    QCOMPARE(area.firstVisiblePage(), 0);
    QCOMPARE(bar->maximum(), qMax(0, PreviewArea::pageGapPx() + stride - area.viewport()->height()));
}

QTEST_MAIN(TestReportPainter)
#include "tst_reportpainter.moc"
