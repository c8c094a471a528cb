#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

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

    // Writes the field's value into out, reusing out's storage where it can.
    void valueInto(QString &out) const;
};

// The fields splitFields gives, as views into the line, in a list the caller keeps so that
// its storage is reused; the list is cleared first.
void splitFieldViews(QStringView line, QChar delimiter, std::vector<FieldView> &fields);

enum class ArchiveKind { Basic, Individual };

// The kind and version test on the header line (exact, case-sensitive): word 0 "Основной"
// or "Индивид." and word 2 "v003", words split at single spaces. Null for anything else,
// an empty or short header included.
std::optional<ArchiveKind> archiveKind(QStringView headerLine);
