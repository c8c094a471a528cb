#pragma once

// The rows of the CSV export's worked example, the tables that hold them and the lines the
// file shows for them, shared by the writer and the export command tests.

#include "tests/report/fakecellsource.h"

#include "platform/ansicodepage.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <vector>

namespace csvexample {

using namespace Qt::StringLiterals;

// The twenty data fields of one report line: Cell1 to Cell8, Cell12 to Cell22, readings.
using Fields = QStringList;

inline Fields row1()
{
    return {u"1"_s, u"15.03.2019"_s, u"10:25"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s, u"Тяжелый бетон"_s,
            u"1,05"_s, u"4120"_s, u"48,5"_s, u"200"_s, u"10,2"_s, u"58,7"_s, u"200"_s, u"32,4"_s, QString(),
            u"Нет"_s, u"2,5"_s, u"38,1"_s, u";4120;4135;4128"_s + QString(12, u';')};
}

inline Fields row2()
{
    return {u"2"_s, u"15.03.2019"_s, u"10:31"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s, u"Бетон"_s,
            u"1,05"_s, u"4090"_s, u"48,9"_s, u"200"_s, u"10,2"_s, u"59,1"_s, u"200"_s, u"31,8"_s, QString(),
            u"Нет"_s, QString(), u"37,6"_s, QString()};
}

enum class Table { Basic, Individual };

// A table whose rows hold the fields in the columns the report reads for that kind: the 19
// field columns, and the readings field split back into the 15 reading columns.
inline FakeCellSource table(const std::vector<Fields> &rows, Table kind)
{
    static const int basicColumns[] = {0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
    static const int individualColumns[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const bool basic = kind == Table::Basic;
    const int *columns = basic ? basicColumns : individualColumns;
    const int firstReading = basic ? 23 : 20;
    FakeCellSource result(basic ? kBasicColumns : kIndividualColumns);
    for (const Fields &row : rows) {
        QList<std::pair<int, QString>> cells;
        for (int f = 0; f < 19; ++f)
            cells.append({columns[f], row[f]});
        const QStringList readings = row[19].isEmpty() ? QStringList() : row[19].mid(1).split(u';');
        for (int r = 0; r < 15; ++r)
            cells.append({firstReading + r, r < readings.size() ? readings[r] : QString()});
        result.addRow(QString(), cells);
    }
    return result;
}

inline const QString kDate = u"09.12.2026"_s;
inline const QString kTitleLine = u"ЛИРАС-Д7;;09.12.2026;;;"_s;
inline const QString kTitleOnlyLine = u"ЛИРАС-Д7;09.12.2026"_s;
inline const QString kHeaderLine =
    u"№;Дата;Время;Инд.зав-сть;Видпрозвуч.;Типизделия;Материал;Кс;V, м/с;T, мкс;L, мм;"
    u"Т0, мкс;Т1, мкс;h, мм;R, МПа;A, дБ;;Коррекцияпо W;;W, %;E, ГПа"_s;
inline const QString kRow1FirstPage =
    u"1;15.03.2019;10:25;2;Сквозное;Балка;Тяжелыйбетон;1,05;4120;48,5;200;10,2;58,7;200;"
    u"32,4;;;Нет;;2,5;38,1;\";4120;4135;4128;;;;;;;;;;;;\";"_s;
inline const QString kRow2FirstPage =
    u"2;15.03.2019;10:31;2;Сквозное;Балка;Бетон;1,05;4090;48,9;200;10,2;59,1;200;31,8;;;Нет;;;37,6;;"_s;
inline const QString kRow1LaterPage =
    u"1;15.03.2019;10:25;2;Сквозное;Балка;Тяжелыйбетон;1,05;4120;48,5;200;10,2;58,7;200;"
    u"32,4;;Нет;2,5;38,1;\";4120;4135;4128;;;;;;;;;;;;\""_s;
inline const QString kRow2LaterPage =
    u"2;15.03.2019;10:31;2;Сквозное;Балка;Бетон;1,05;4090;48,9;200;10,2;59,1;200;31,8;;Нет;;37,6;"_s;

// The expected file from its lines: CR LF after each, in the code page.
inline QByteArray fileOf(const QStringList &lines, const AnsiCodePage &ansi)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += ansi.encode(line) + "\r\n";
    return bytes;
}

// The worked example's whole file: title, empty line, header and the two rows.
inline QByteArray workedExample(const AnsiCodePage &ansi)
{
    return fileOf({kTitleLine, QString(), kHeaderLine, kRow1FirstPage, kRow2FirstPage}, ansi);
}

inline QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace csvexample
