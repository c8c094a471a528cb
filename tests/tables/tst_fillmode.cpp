#include "tables/fillmode.h"

#include <QList>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

class FillModeTest : public QObject
{
    Q_OBJECT

private slots:
    void shares_data();
    void shares();
};

void FillModeTest::shares_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("widths");

    // Four shown columns of 100, 200, 300 and 50 px in a client 1000 px wide, unless the
    // script says otherwise. Expected widths worked out by hand from the share rules.
    QTest::newRow("no fill column keeps widths") << u"client 1200"_s << QList<int>{100, 200, 300, 50};
    QTest::newRow("first takes the free width") << u"fill 0"_s << QList<int>{450, 200, 300, 50};
    // Share 200/450 for the newcomer, 250/450 left for column 0; 650 px to divide.
    QTest::newRow("second enters") << u"fill 0; fill 1"_s << QList<int>{361, 289, 300, 50};
    QTest::newRow("entering again changes nothing")
        << u"fill 0; fill 1; fill 1; fill 0"_s << QList<int>{361, 289, 300, 50};
    // Share 300/650 for the newcomer, the others scaled by 350/650; 950 px to divide.
    QTest::newRow("third enters") << u"fill 0; fill 1; fill 2"_s << QList<int>{284, 228, 438, 50};
    QTest::newRow("table grows") << u"fill 0; fill 1; client 1200"_s << QList<int>{472, 378, 300, 50};
    QTest::newRow("table shrinks") << u"fill 0; fill 1; client 700"_s << QList<int>{194, 156, 300, 50};
    // 39 px taken from the column to its right.
    QTest::newRow("width taken from the right") << u"fill 0; fill 1; width 0 400"_s
                                                << QList<int>{400, 250, 300, 50};
    QTest::newRow("width given to the right") << u"fill 0; fill 1; width 0 300"_s
                                              << QList<int>{300, 350, 300, 50};
    // Nothing to its right: shares 361/750 and 389/750 of 650 px.
    QTest::newRow("last fill column widened") << u"fill 0; fill 1; width 1 389"_s
                                              << QList<int>{313, 337, 300, 50};
    QTest::newRow("right columns give at most all they have")
        << u"fill 0; fill 1; width 0 900"_s << QList<int>{650, 0, 300, 50};
    QTest::newRow("fixed column width") << u"fill 0; fill 1; width 2 200"_s
                                        << QList<int>{417, 333, 200, 50};
    QTest::newRow("fixed column at least 8 px") << u"fill 0; fill 1; width 3 3"_s
                                                << QList<int>{384, 308, 300, 8};
    QTest::newRow("leaving fill keeps the width") << u"fill 0; fill 1; fill-off 1; client 1100"_s
                                                  << QList<int>{461, 289, 300, 50};
    // Column 0 now stands right of column 1 on screen and takes its difference.
    QTest::newRow("right means on screen") << u"order 1 0 2 3; fill 0; fill 1; width 1 300"_s
                                           << QList<int>{350, 300, 300, 50};
    QTest::newRow("same without the move") << u"fill 0; fill 1; width 1 300"_s
                                           << QList<int>{355, 295, 300, 50};
    // The fixed columns leave nothing: fill columns keep their widths until there is room.
    QTest::newRow("no free width") << u"client 500; fill 0"_s << QList<int>{100, 200, 300, 50};
    // Newcomer wider than the others together: it takes 200 of the combined 300.
    QTest::newRow("newcomer wider than the others") << u"client 500; fill 0; fill 1"_s
                                                    << QList<int>{50, 100, 300, 50};
    QTest::newRow("table too narrow after filling") << u"fill 0; fill 1; client 300"_s
                                                    << QList<int>{361, 289, 300, 50};
}

void FillModeTest::shares()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, widths);

    FillMode fill({100, 200, 300, 50}, {true, true, true, true});
    fill.setClientWidth(1000);
    for (const QString &step : script.split(u';')) {
        const QStringList words = step.split(u' ', Qt::SkipEmptyParts);
        const QString verb = words.at(0);
        if (verb == u"client") {
            fill.setClientWidth(words.at(1).toInt());
        } else if (verb == u"fill") {
            fill.setFill(words.at(1).toInt(), true);
        } else if (verb == u"fill-off") {
            fill.setFill(words.at(1).toInt(), false);
        } else if (verb == u"width") {
            fill.setWidth(words.at(1).toInt(), words.at(2).toInt());
        } else if (verb == u"order") {
            std::vector<int> order;
            for (qsizetype i = 1; i < words.size(); ++i)
                order.push_back(words.at(i).toInt());
            fill.setVisualOrder(order);
        } else {
            QFAIL(qPrintable(u"unknown step "_s + step));
        }
    }
    QList<int> actual;
    for (int c = 0; c < fill.columnCount(); ++c)
        actual.append(fill.widthPx(c));
    QCOMPARE(actual, widths);
}

QTEST_APPLESS_MAIN(FillModeTest)
#include "tst_fillmode.moc"
