#include "archive/archivefields.h"

using namespace Qt::StringLiterals;

namespace {
constexpr QChar quote = u'"';
} // namespace

void FieldView::appendValueTo(QString &out) const
{
    if (!doubledQuotes) {
        out.append(text);
        return;
    }
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(quote); at >= 0; at = text.indexOf(quote, from)) {
        out.append(text.sliced(from, at - from + 1)); // up to and with the first of the pair
        from = at + 2;
    }
    out.append(text.sliced(from));
}

QStringList splitFields(QStringView line, QChar delimiter)
{
    QStringList fields;
    forEachField(line, delimiter, [&fields](const FieldView &field) {
        QString value;
        field.appendValueTo(value);
        fields.append(value);
    });
    return fields;
}

std::optional<TableKind> archiveKind(QStringView headerLine)
{
    const QStringList words = splitFields(headerLine, u' ');
    if (words.size() < 3 || words[2] != u"v003"_s)
        return std::nullopt;
    if (words[0] == u"Основной"_s)
        return TableKind::Basic;
    if (words[0] == u"Индивид."_s)
        return TableKind::Individual;
    return std::nullopt;
}
