#include "archivefixtures.h"

#include "tables/cellsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace fixtures {

namespace {

QStringList fixedFields(int n, int count, const QString &prefix)
{
    QStringList fields{u"15.03.2019"_s, u"10:00:%1"_s.arg(n, 2, 10, QChar(u'0'))};
    for (int k = 3; k <= count; ++k)
        fields.append(u"%1%2.%3"_s.arg(prefix).arg(n).arg(k));
    return fields;
}

} // namespace

QStringList basicFixed(int n)
{
    return fixedFields(n, 21, u"b"_s);
}

QStringList individualFixed(int n)
{
    return fixedFields(n, 18, u"i"_s);
}

QStringList readings(int n, int count)
{
    QStringList values;
    for (int j = 1; j <= count; ++j) {
        if (j == 3)
            values.append(u"     "_s);
        else if (j == 5)
            values.append(u"-%1,5"_s.arg(n));
        else
            values.append(u"r%1.%2"_s.arg(n).arg(j));
    }
    return values;
}

QString basicHeader()
{
    return u"Основной архив v003"_s;
}

QString individualHeader()
{
    return u"Индивид. архив v003"_s;
}

QString archiveText(const QString &header, const QList<QStringList> &records)
{
    QString text = header + u"\r\nДата;Время;прочие поля\r\n"_s;
    for (const QStringList &record : records)
        text += record.join(u';') + u"\r\n"_s;
    return text;
}

QByteArray utf8WithMark(const QString &text)
{
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QByteArray utf16(const QString &text, bool littleEndian)
{
    QByteArray bytes;
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(fileName).path());
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QList<QStringList> cellTexts(const CellSource &table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table.columnCount(); ++column)
            texts.append(table.cellText(column, row));
        rows.append(texts);
    }
    return rows;
}

} // namespace fixtures
