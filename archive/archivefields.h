#pragma once

#include "tables/tablekind.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Strict delimited splitting, as the instrument writes its records:
// - nothing is trimmed; spaces and control characters belong to the fields;
// - a field that starts with a double quote runs to the next quote that is not doubled
//   (a doubled quote stands for one), or to the end of the line when none closes it; text
//   between the closing quote and the next delimiter is a further field of its own;
// - any other field runs to the next delimiter; a quote inside it is an ordinary character;
// - a delimiter at the start or end gives an empty first or last field; an empty line gives
//   no fields at all.
QStringList splitFields(QStringView line, QChar delimiter);

// One field of a line as a view into it, for loops over many lines that should not
// allocate per field. A quoted field's view is its inside, doubled quotes still doubled.
struct FieldView
{
    QStringView text;
    bool doubledQuotes = false;

    // Appends the field's value to out: the text with each doubled quote as one.
    void appendValueTo(QString &out) const;
};

// Hands each field splitFields gives to onField(FieldView), in order, without allocating.
template<typename OnField>
void forEachField(QStringView line, QChar delimiter, OnField &&onField);

// The kind and version test on the header line (exact, case-sensitive): word 0 "Основной"
// (the basic table) or "Индивид." (the individual table) and word 2 "v003", words split at
// single spaces. Null for anything else, an empty or short header included.
std::optional<TableKind> archiveKind(QStringView headerLine);

// How much of a header line decides whether it may name a kind: its first word, plain or
// quoted, and the character after it.
inline constexpr qsizetype headerStartLength = 10;

// Whether a line that starts with these characters (at least headerStartLength of them, or
// the whole line) may be an archive's header. False means archiveKind is null for every line
// that starts so, which lets a file be turned away after its first bytes.
bool mayStartArchiveHeader(QStringView lineStart);

template<typename OnField>
void forEachField(QStringView line, QChar delimiter, OnField &&onField)
{
    constexpr char16_t quote = u'"';
    const char16_t separator = delimiter.unicode();
    const char16_t *const text = line.utf16();
    const qsizetype length = line.size();
    if (length == 0)
        return;
    qsizetype pos = 0;
    for (;;) {
        if (pos < length && text[pos] == quote) {
            const qsizetype start = pos + 1;
            qsizetype i = start;
            bool doubled = false;
            while (i < length) {
                if (text[i] == quote) {
                    if (i + 1 < length && text[i + 1] == quote) {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            onField(FieldView{line.sliced(start, i - start), doubled});
            pos = i + 1; // past the closing quote
            if (pos >= length)
                return; // no closing quote, or the line ends with it
            if (text[pos] == separator) {
                ++pos;
                continue;
            }
            // Text right after the closing quote is a further field, up to the delimiter.
        }
        // Fields are a few characters long: a plain loop beats a library search here.
        qsizetype next = pos;
        while (next < length && text[next] != separator)
            ++next;
        onField(FieldView{line.sliced(pos, next - pos), false});
        if (next == length)
            return;
        pos = next + 1;
    }
}
