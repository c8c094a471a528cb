#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CellSource;

// Small archives made in the tests: records whose every field says where it comes from,
// so a value in the wrong column shows at once.
namespace fixtures {

// The fixed fields of record n: "15.03.2019", "10:00:0n", then "b<n>.<k>" (basic) or
// "i<n>.<k>" (individual) for field k.
QStringList basicFixed(int n);
QStringList individualFixed(int n);
// count readings of record n: "r<n>.<j>", with a reading of five spaces and a negative one
// among them when count is large enough.
QStringList readings(int n, int count);

QString basicHeader();
QString individualHeader();
// Header, second line, then the records joined with ";", each line ended by CR LF.
QString archiveText(const QString &header, const QList<QStringList> &records);

// UTF-8 with byte-order mark, so the fixture does not depend on the code page.
QByteArray utf8WithMark(const QString &text);
// UTF-16 code units in the given byte order, without a mark; spelled out byte by byte so
// the fixture does not rest on the converter under test.
QByteArray utf16(const QString &text, bool littleEndian);
bool writeFile(const QString &fileName, const QByteArray &bytes);
QByteArray readFile(const QString &fileName);

// The texts of all cells of a table, row by row, to compare a table before and after.
QList<QStringList> cellTexts(const CellSource &table);

} // namespace fixtures
