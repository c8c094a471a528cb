#include "fakecellsource.h"

#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString resolve(const ReportRows &rows, int record, const QString &name, const QString &initial = QString())
{
    UserDataSet dataSet;
    dataSet.setRangeEndCount(rows.rowCount());
    dataSet.first();
    for (int i = 0; i < record; ++i)
        dataSet.next();
    const ValueResolver resolver(rows, dataSet);
    QString value = initial;
    resolver.frxReport1GetValue(name, value);
    return value;
}

// A reading row: the first `filled` reading cells hold 41xx, the rest stay empty; the
// first cell can be emptied on its own.
FakeCellSource readingsTable(int columns, int firstReading, int filled, bool firstEmpty)
{
    FakeCellSource table(columns);
    QList<std::pair<int, QString>> cells;
    for (int i = 0; i < 15; ++i)
        cells.append({firstReading + i, i < filled ? QString::number(4100 + i) : QString()});
    if (firstEmpty)
        cells[0].second.clear();
    table.addRow(u"r0"_s, cells);
    return table;
}

} // namespace

class TestValueResolver : public QObject
{
    Q_OBJECT

private slots:
    void fieldColumns_data();
    void fieldColumns();
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void unknownNamesLeaveTheValue_data();
    void unknownNamesLeaveTheValue();
    void readings_data();
    void readings();
    void readingsNotCapturedWhenHidden();
    void rowsAsTheTableShowsThem();
    void captureIsASnapshot();
    void dataSourceNavigation_data();
    void dataSourceNavigation();
};

void TestValueResolver::fieldColumns_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("basicColumn");
    QTest::addColumn<int>("individualColumn");

    QTest::newRow("Cell1 number") << u"Cell1"_s << 0 << 0;
    QTest::newRow("Cell2 date") << u"Cell2"_s << 1 << 1;
    QTest::newRow("Cell3 time") << u"Cell3"_s << 2 << 2;
    QTest::newRow("Cell4") << u"Cell4"_s << 3 << 3;
    QTest::newRow("Cell5") << u"Cell5"_s << 4 << 4;
    QTest::newRow("Cell6") << u"Cell6"_s << 5 << 5;
    QTest::newRow("Cell7") << u"Cell7"_s << 6 << 6;
    QTest::newRow("Cell8") << u"Cell8"_s << 7 << 7;
    QTest::newRow("Cell12 V") << u"Cell12"_s << 11 << 8;
    QTest::newRow("Cell13 T") << u"Cell13"_s << 12 << 9;
    QTest::newRow("Cell14 L") << u"Cell14"_s << 13 << 10;
    QTest::newRow("Cell15 T0") << u"Cell15"_s << 14 << 11;
    QTest::newRow("Cell16 T1") << u"Cell16"_s << 15 << 12;
    QTest::newRow("Cell17 h") << u"Cell17"_s << 16 << 13;
    QTest::newRow("Cell18 R") << u"Cell18"_s << 17 << 14;
    QTest::newRow("Cell19 A") << u"Cell19"_s << 18 << 15;
    QTest::newRow("Cell20 correction") << u"Cell20"_s << 19 << 16;
    QTest::newRow("Cell21 W") << u"Cell21"_s << 20 << 17;
    QTest::newRow("Cell22 E") << u"Cell22"_s << 21 << 18;
}

void TestValueResolver::fieldColumns()
{
    QFETCH(QString, field);
    QFETCH(int, basicColumn);
    QFETCH(int, individualColumn);

    FakeCellSource basic(kBasicColumns);
    basic.addRow(u"b0"_s);
    basic.addRow(u"b1"_s);
    FakeCellSource individual(kIndividualColumns);
    individual.addRow(u"i0"_s);
    individual.addRow(u"i1"_s);
    const ReportRows b = ReportRows::capture(basic, TableKind::Basic, true);
    const ReportRows i = ReportRows::capture(individual, TableKind::Individual, true);
    QCOMPARE(resolve(b, 1, field), u"b1c%1"_s.arg(basicColumn));
    QCOMPARE(resolve(i, 1, field), u"i1c%1"_s.arg(individualColumn));
    QCOMPARE(resolve(i, 0, field), u"i0c%1"_s.arg(individualColumn));
}

void TestValueResolver::namesIgnoreCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower") << u"cell12"_s;
    QTest::newRow("upper") << u"CELL12"_s;
    QTest::newRow("mixed") << u"cElL12"_s;
}

void TestValueResolver::namesIgnoreCase()
{
    QFETCH(QString, name);
    FakeCellSource basic(kBasicColumns);
    basic.addRow(u"b0"_s);
    const ReportRows rows = ReportRows::capture(basic, TableKind::Basic, false);
    QCOMPARE(resolve(rows, 0, name), u"b0c11"_s);
}

void TestValueResolver::unknownNamesLeaveTheValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("misspelt") << u"Cel12"_s;
    QTest::newRow("unused Cell9") << u"Cell9"_s;
    QTest::newRow("unused Cell11") << u"Cell11"_s;
    QTest::newRow("Cell23") << u"Cell23"_s;
    QTest::newRow("Cell101") << u"Cell101"_s;
    QTest::newRow("padded") << u" Cell1"_s;
    QTest::newRow("empty") << QString();
}

void TestValueResolver::unknownNamesLeaveTheValue()
{
    QFETCH(QString, name);
    FakeCellSource basic(kBasicColumns);
    basic.addRow(u"b0"_s);
    const ReportRows rows = ReportRows::capture(basic, TableKind::Basic, true);
    QCOMPARE(resolve(rows, 0, name, u"engine's own"_s), u"engine's own"_s);
    QCOMPARE(reportfields::indexOf(name), -1);
}

void TestValueResolver::readings_data()
{
    QTest::addColumn<bool>("basic");
    QTest::addColumn<int>("filled");
    QTest::addColumn<bool>("firstEmpty");
    QTest::addColumn<QString>("expected");

    const QString thirteen(13, u';');
    const QString all = u";4100;4101;4102;4103;4104;4105;4106;4107;4108;4109;4110;4111;4112;4113;4114"_s;
    QTest::newRow("basic two readings") << true << 2 << false << u";4100;4101"_s + thirteen;
    QTest::newRow("individual two readings") << false << 2 << false << u";4100;4101"_s + thirteen;
    QTest::newRow("basic all fifteen") << true << 15 << false << all;
    QTest::newRow("individual all fifteen") << false << 15 << false << all;
    QTest::newRow("one reading") << true << 1 << false << u";4100"_s + QString(14, u';');
    QTest::newRow("first empty, later set") << true << 15 << true << QString();
    QTest::newRow("individual first empty") << false << 5 << true << QString();
    QTest::newRow("no readings") << true << 0 << false << QString();
}

void TestValueResolver::readings()
{
    QFETCH(bool, basic);
    QFETCH(int, filled);
    QFETCH(bool, firstEmpty);
    QFETCH(QString, expected);

    const FakeCellSource table = basic ? readingsTable(kBasicColumns, 23, filled, firstEmpty)
                                       : readingsTable(kIndividualColumns, 20, filled, firstEmpty);
    const ReportRows rows = ReportRows::capture(table, basic ? TableKind::Basic : TableKind::Individual, true);
    const QString value = resolve(rows, 0, u"cell100"_s, u"untouched"_s);
    QCOMPARE(value, expected);
    if (!value.isEmpty())
        QCOMPARE(value.count(u';'), 15);
}

void TestValueResolver::readingsNotCapturedWhenHidden()
{
    // With the readings memo hidden the reading columns are never read: a table lacking them
    // still builds.
    FakeCellSource narrow(22);
    narrow.addRow(u"n0"_s);
    const ReportRows rows = ReportRows::capture(narrow, TableKind::Basic, false);
    QCOMPARE(resolve(rows, 0, u"Cell22"_s), u"n0c21"_s);
    QVERIFY_THROWS_EXCEPTION(AppError, ReportRows::capture(narrow, TableKind::Basic, true));
}

void TestValueResolver::rowsAsTheTableShowsThem()
{
    FakeCellSource basic(kBasicColumns);
    for (int r = 0; r < 4; ++r)
        basic.addRow(u"r%1"_s.arg(r), {{0, QString::number(r + 1)}});
    basic.moveRow(3, 0); // sorted: 4 1 2 3
    basic.removeRow(2);  // deleted: 4 1 3
    const ReportRows rows = ReportRows::capture(basic, TableKind::Basic, false);
    QCOMPARE(rows.rowCount(), 3);
    QStringList numbers;
    for (int record = 0; record < rows.rowCount(); ++record)
        numbers << resolve(rows, record, u"Cell1"_s);
    QCOMPARE(numbers, (QStringList{u"4"_s, u"1"_s, u"3"_s}));
}

void TestValueResolver::captureIsASnapshot()
{
    FakeCellSource basic(kBasicColumns);
    basic.addRow(u"r0"_s);
    basic.addRow(u"r1"_s);
    const ReportRows rows = ReportRows::capture(basic, TableKind::Basic, false);
    basic.setCell(5, 1, u"changed"_s);
    basic.removeRow(0);
    QCOMPARE(resolve(rows, 1, u"Cell6"_s), u"r1c5"_s);
    QCOMPARE(resolve(rows, 0, u"Cell6"_s), u"r0c5"_s);
}

void TestValueResolver::dataSourceNavigation_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("records");

    QTest::newRow("N = 0") << 0 << QList<int>{};
    QTest::newRow("N = 1") << 1 << QList<int>{0};
    QTest::newRow("N = 2") << 2 << QList<int>{0, 1};
}

void TestValueResolver::dataSourceNavigation()
{
    QFETCH(int, count);
    QFETCH(QList<int>, records);

    UserDataSet dataSet;
    dataSet.setRangeEnd(UserDataSet::RangeEnd::Count);
    dataSet.setRangeEndCount(count);
    // A previous run ended at the end: first() must start afresh.
    dataSet.first();
    for (int i = 0; i < 5; ++i)
        dataSet.next();
    QVERIFY(dataSet.eof());

    QList<int> seen;
    for (dataSet.first(); !dataSet.eof(); dataSet.next()) {
        seen << dataSet.recNo();
        QVERIFY(seen.size() <= count);
    }
    QCOMPARE(seen, records);
    if (count > 0)
        QCOMPARE(dataSet.recNo(), count - 1); // stays on the last record at the end
}

QTEST_APPLESS_MAIN(TestValueResolver)
#include "tst_valueresolver.moc"
