#include "archive/archivefields.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar quote = u'"';

// Walks the fields of a line and hands each to onField(text, hasDoubledQuotes): the text is a
// view into the line, and for a quoted field its inside with any doubled quotes still
// doubled. One scanner for splitting and counting keeps the two from drifting apart.
template<typename OnField>
void scanFields(QStringView line, QChar delimiter, OnField &&onField)
{
    const qsizetype length = line.size();
    if (length == 0)
        return;
    qsizetype pos = 0;
    for (;;) {
        if (pos < length && line[pos] == quote) {
            const qsizetype start = pos + 1;
            qsizetype i = start;
            bool doubled = false;
            while (i < length) {
                if (line[i] == quote) {
                    if (i + 1 < length && line[i + 1] == quote) {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            onField(line.sliced(start, i - start), doubled);
            pos = i + 1; // past the closing quote
            if (pos >= length)
                return; // no closing quote, or the line ends with it
            if (line[pos] == delimiter) {
                ++pos;
                continue;
            }
            // Text right after the closing quote is a further field, up to the delimiter.
        }
        const qsizetype next = line.indexOf(delimiter, pos);
        if (next < 0) {
            onField(line.sliced(pos), false);
            return;
        }
        onField(line.sliced(pos, next - pos), false);
        pos = next + 1;
    }
}

QString fieldText(QStringView text, bool doubledQuotes)
{
    QString field = text.toString();
    if (doubledQuotes)
        field.replace(u"\"\""_s, u"\""_s);
    return field;
}

} // namespace

void splitFields(QStringView line, QChar delimiter, QStringList &fields)
{
    fields.clear();
    scanFields(line, delimiter, [&fields](QStringView text, bool doubledQuotes) {
        fields.append(fieldText(text, doubledQuotes));
    });
}

QStringList splitFields(QStringView line, QChar delimiter)
{
    QStringList fields;
    splitFields(line, delimiter, fields);
    return fields;
}

qsizetype countFields(QStringView line, QChar delimiter)
{
    qsizetype count = 0;
    scanFields(line, delimiter, [&count](QStringView, bool) { ++count; });
    return count;
}

std::optional<ArchiveKind> archiveKind(QStringView headerLine)
{
    const QStringList words = splitFields(headerLine, u' ');
    if (words.size() < 3 || words[2] != u"v003"_s)
        return std::nullopt;
    if (words[0] == u"Основной"_s)
        return ArchiveKind::Basic;
    if (words[0] == u"Индивид."_s)
        return ArchiveKind::Individual;
    return std::nullopt;
}
