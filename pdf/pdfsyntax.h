#pragma once

#include <QByteArray>

#include <string>

// Lexical pieces of PDF files, appended to a byte buffer: numbers, literal strings, names.
namespace pdfsyntax {

// A real number with at most three decimals and no exponent, trailing zeros dropped
// ("841.89", "-0.5", "12"); PDF readers reject exponents. Values are rounded half away
// from zero; non-finite values are written as 0, so the file stays readable.
void appendNumber(QByteArray &out, double value);
void appendNumber(std::string &out, double value);

// A literal string "(…)" holding the bytes as given: parentheses and backslashes are
// escaped, and so are control bytes (a raw carriage return would be read as a line feed).
void appendLiteralString(QByteArray &out, const QByteArray &bytes);
void appendLiteralString(QByteArray &out, const char *bytes, qsizetype size);
void appendLiteralString(std::string &out, const char *bytes, qsizetype size);

// A name "/…" of the given characters; bytes outside the regular printable ASCII range,
// delimiters and '#' are written as #XX.
void appendName(QByteArray &out, const QByteArray &name);

// Two upper-case hex digits per byte.
void appendHex(QByteArray &out, const QByteArray &bytes);

} // namespace pdfsyntax
