#include "tables/rowstore.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

class RowStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void writesInAnyOrderKeepEveryCell_data();
    void writesInAnyOrderKeepEveryCell();
    void removeAndPermuteMoveWholeRows();
};

void RowStoreTest::writesInAnyOrderKeepEveryCell_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("removeBetween");
    QTest::newRow("seed 1") << 1u << false;
    QTest::newRow("seed 2, with removals") << 2u << true;
    QTest::newRow("seed 4, with removals") << 4u << true;
    QTest::newRow("seed 3") << 3u << false;
}

void RowStoreTest::writesInAnyOrderKeepEveryCell()
{
    // Random rewrites of any cell or of a row's leading cells, longer, shorter or empty,
    // checked against plain lists. The date column keeps no text, whatever a row brings.
    QFETCH(quint32, seed);
    QFETCH(bool, removeBetween);
    const int columns = 38;
    const int dateColumn = 1;
    RowStore store(columns, dateColumn);
    std::vector<QStringList> expected;
    QRandomGenerator random(seed);
    store.appendRows(5, -7);
    expected.assign(5, QStringList(columns, QString()));
    const auto randomText = [&random] {
        QString text;
        const int length = random.bounded(4) == 0 ? 0 : random.bounded(1, 40);
        for (int i = 0; i < length; ++i)
            text.append(QChar(char16_t(u'А' + random.bounded(32))));
        return text;
    };
    for (int step = 0; step < 4000; ++step) {
        const int row = random.bounded(int(expected.size()));
        const int column = random.bounded(columns);
        if (column == dateColumn)
            continue;
        if (random.bounded(5) == 0) {
            // The leading cells of a row at once, also over a row with more cells filled.
            const int count = random.bounded(columns + 1);
            QStringList texts;
            for (int c = 0; c < count; ++c)
                texts.append(randomText());
            const std::vector<QStringView> views(texts.begin(), texts.end());
            store.setRow(row, views);
            for (int c = 0; c < count; ++c)
                expected[std::size_t(row)][c] = texts[c];
        } else {
            const QString text = randomText();
            store.setText(column, row, text);
            expected[std::size_t(row)][column] = text;
        }
        if (removeBetween && step % 97 == 0) {
            // Removing rows leaves waste behind and eventually compacts the rest.
            const int removed = random.bounded(int(expected.size()));
            std::vector<bool> flags(expected.size(), false);
            flags[std::size_t(removed)] = true;
            store.removeRows(flags);
            expected.erase(expected.begin() + removed);
            store.appendRows(1, -7);
            expected.push_back(QStringList(columns, QString()));
        }
    }
    for (int row = 0; row < int(expected.size()); ++row) {
        QCOMPARE(store.dateValue(row), -7);
        for (int column = 0; column < columns; ++column) {
            const QString text = column == dateColumn ? QString() : expected[std::size_t(row)][column];
            QCOMPARE(store.text(column, row).toString(), text);
        }
    }
}

void RowStoreTest::removeAndPermuteMoveWholeRows()
{
    RowStore store(3, 1);
    store.appendRows(4, 0);
    for (int row = 0; row < 4; ++row) {
        store.setText(0, row, QString::number(row));
        store.setText(2, row, u"r"_s + QString::number(row));
        store.setDateValue(row, 100 + row);
    }
    store.permute({3, 1, 0, 2});
    store.removeRows({false, true, false});
    QCOMPARE(store.rowCount(), 3);
    const QStringList first{u"3"_s, u"0"_s, u"2"_s};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(store.text(0, row).toString(), first[row]);
        QCOMPARE(store.text(2, row).toString(), u"r"_s + first[row]);
        QCOMPARE(store.dateValue(row), 100 + first[row].toInt());
    }
    store.clear();
    QCOMPARE(store.rowCount(), 0);
}

QTEST_APPLESS_MAIN(RowStoreTest)
#include "tst_rowstore.moc"
