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

} // namespace

void FieldView::valueInto(QString &out) const
{
    // resize(0) keeps the capacity of a string that is not shared, so a reused string
    // allocates only while it grows.
    out.resize(0);
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

void splitFieldViews(QStringView line, QChar delimiter, std::vector<FieldView> &fields)
{
    fields.clear();
    scanFields(line, delimiter, [&fields](QStringView text, bool doubledQuotes) {
        fields.push_back(FieldView{text, doubledQuotes});
    });
}

QStringList splitFields(QStringView line, QChar delimiter)
{
    QStringList fields;
    scanFields(line, delimiter, [&fields](QStringView text, bool doubledQuotes) {
        QString value;
        FieldView{text, doubledQuotes}.valueInto(value);
        fields.append(value);
    });
    return fields;
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
