#include "archive/archivefields.h"

#include <array>

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

namespace {

const QString basicWord = u"Основной"_s;
const QString individualWord = u"Индивид."_s;
const QString versionWord = u"v003"_s;
// No word of a header is longer; a longer field is not copied, as the line may be huge.
constexpr qsizetype longestHeaderWord = 8;

// The values of the first `count` words of a line; a word longer than any header word is
// left empty, which no header word is.
template<qsizetype count>
std::array<QString, count> headerWords(QStringView line, qsizetype &found)
{
    std::array<QString, count> words;
    found = 0;
    forEachField(line, u' ', [&](const FieldView &field) {
        if (found < count && field.text.size() <= longestHeaderWord)
            field.appendValueTo(words[found]);
        ++found;
    });
    return words;
}

bool isKindWord(const QString &word)
{
    return word == basicWord || word == individualWord;
}

} // namespace

std::optional<TableKind> archiveKind(QStringView headerLine)
{
    qsizetype found = 0;
    const std::array<QString, 3> words = headerWords<3>(headerLine, found);
    if (found < 3 || words[2] != versionWord)
        return std::nullopt;
    if (words[0] == basicWord)
        return TableKind::Basic;
    if (words[0] == individualWord)
        return TableKind::Individual;
    return std::nullopt;
}

bool mayStartArchiveHeader(QStringView lineStart)
{
    qsizetype found = 0;
    return isKindWord(headerWords<1>(lineStart.first(qMin(lineStart.size(), headerStartLength)),
                                     found)[0]);
}
