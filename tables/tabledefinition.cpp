#include "tables/tabledefinition.h"

using namespace Qt::StringLiterals;

namespace {

ColumnDefinition numeric(const QString &header, int widthPx = 80)
{
    return {header, CellKind::Text, widthPx, true, Qt::AlignHCenter, SortKind::Numeric,
            HeaderColour::Highlight};
}

ColumnDefinition alphabetic(const QString &header, int widthPx = 80)
{
    return {header, CellKind::Text, widthPx, true, Qt::AlignHCenter, SortKind::Alphabetic,
            HeaderColour::Style};
}

// "№" .. "Материал", "Кс": the same leading columns in both tables.
QList<ColumnDefinition> leadingColumns()
{
    return {
        numeric(u"№"_s, 30),
        {u"Дата"_s, CellKind::Date, 80, true, Qt::AlignHCenter, SortKind::Date, HeaderColour::Highlight},
        {u"Время"_s, CellKind::Time, 80, true, Qt::AlignHCenter, SortKind::Alphabetic, HeaderColour::Style},
        alphabetic(u"Зав-сть"_s, 50),
        alphabetic(u"Вид прозвуч."_s),
        alphabetic(u"Тип изделия"_s),
        alphabetic(u"Материал"_s),
        numeric(u"Кс"_s, 40),
    };
}

// "V, м/с" .. "E, Гпа", the note and the 15 readings: the same trailing columns in both tables.
QList<ColumnDefinition> trailingColumns()
{
    QList<ColumnDefinition> columns = {
        numeric(u"V, м/с"_s, 60),
        numeric(u"T, мкc"_s),
        numeric(u"L, мм"_s),
        numeric(u"T0, мкc"_s),
        numeric(u"T1, мкc"_s),
        numeric(u"h, мм"_s),
        numeric(u"R, МПа"_s),
        numeric(u"А, дБ"_s),
        alphabetic(u"Коррекция по W"_s, 85),
        numeric(u"W, %"_s),
        numeric(u"E, Гпа"_s),
    };
    ColumnDefinition note = alphabetic(u"Примечание"_s);
    note.shown = false;
    columns.append(note);
    for (int reading = 1; reading < TableDefinition::readingColumnCount; ++reading) {
        ColumnDefinition column = numeric(QString());
        column.shown = false;
        columns.append(column);
    }
    ColumnDefinition last = alphabetic(QString());
    last.shown = false;
    last.alignment = Qt::AlignLeft;
    columns.append(last);
    return columns;
}

TableDefinition makeDefinition(TableKind kind, const QString &name, const QString &tabCaption,
                               const QString &loadStatusPrefix, const QList<ColumnDefinition> &middle,
                               bool deletesOnDeleteKey)
{
    TableDefinition definition;
    definition.kind = kind;
    definition.name = name;
    definition.tabCaption = tabCaption;
    definition.loadStatusPrefix = loadStatusPrefix;
    definition.columns = leadingColumns() + middle + trailingColumns();
    definition.fixedFieldCount = int(leadingColumns().size() + middle.size()) + 10;
    definition.strengthColumn = definition.fixedFieldCount - 4;
    definition.noteColumn = definition.fixedFieldCount + 1;
    definition.firstReadingColumn = definition.noteColumn + 1;
    definition.deletesOnDeleteKey = deletesOnDeleteKey;
    return definition;
}

} // namespace

const TableDefinition &definitionOf(TableKind kind)
{
    static const TableDefinition basic = makeDefinition(
        TableKind::Basic, u"NextGrid62"_s, u"Основной"_s,
        u"Чтение основного архива! В архиве "_s,
        {alphabetic(u"Корректировка Т"_s), alphabetic(u"КУ"_s), alphabetic(u"P"_s)}, true);
    static const TableDefinition individual = makeDefinition(
        TableKind::Individual, u"NextGrid61"_s, u"Индивидуальный"_s,
        u"Чтение индивидуального архива! В архиве "_s, {}, false);
    return kind == TableKind::Basic ? basic : individual;
}
