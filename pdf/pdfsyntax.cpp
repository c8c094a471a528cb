#include "pdf/pdfsyntax.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace pdfsyntax {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isDelimiter(char c)
{
    return std::strchr("()<>[]{}/%#", c) != nullptr;
}

// Both buffers the writer fills: QByteArray for whole objects, std::string for page content,
// which takes thousands of small appends per page.
template <typename Out>
void appendNumberTo(Out &out, double value)
{
    // Built in a local buffer and appended once: a page has thousands of numbers.
    char text[32];
    int n = 0;
    if (!std::isfinite(value)) {
        out += '0';
        return;
    }
    // Fixed point in thousandths: exact, fast and never in exponent form.
    const double scaled = std::round(std::fabs(value) * 1000.0);
    if (scaled > 9.0e15) {
        out += '0';
        return;
    }
    auto thousandths = static_cast<std::int64_t>(scaled);
    if (thousandths != 0 && value < 0)
        text[n++] = '-';
    const std::int64_t whole = thousandths / 1000;
    int fraction = static_cast<int>(thousandths % 1000);

    char digits[24];
    int d = 0;
    std::int64_t w = whole;
    do {
        digits[d++] = char('0' + w % 10);
        w /= 10;
    } while (w != 0);
    while (d > 0)
        text[n++] = digits[--d];

    if (fraction != 0) {
        text[n++] = '.';
        int divisor = 100;
        while (fraction != 0) {
            text[n++] = char('0' + fraction / divisor);
            fraction %= divisor;
            divisor /= 10;
        }
    }
    out.append(text, n);
}

template <typename Out>
void appendLiteralStringTo(Out &out, const char *bytes, qsizetype size)
{
    // The escaped form is at most four bytes per byte; the string is written in place.
    const auto start = out.size();
    out.resize(start + 4 * size + 2);
    char *to = out.data() + start;
    *to++ = '(';
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '(' || c == ')' || c == '\\') {
            *to++ = '\\';
            *to++ = char(c);
        } else if (c < 32 || c == 127) {
            *to++ = '\\';
            *to++ = char('0' + (c >> 6));
            *to++ = char('0' + ((c >> 3) & 7));
            *to++ = char('0' + (c & 7));
        } else {
            *to++ = char(c);
        }
    }
    *to++ = ')';
    out.resize(to - out.data());
}

} // namespace

void appendNumber(QByteArray &out, double value)
{
    appendNumberTo(out, value);
}

void appendNumber(std::string &out, double value)
{
    appendNumberTo(out, value);
}

void appendLiteralString(QByteArray &out, const char *bytes, qsizetype size)
{
    appendLiteralStringTo(out, bytes, size);
}

void appendLiteralString(std::string &out, const char *bytes, qsizetype size)
{
    appendLiteralStringTo(out, bytes, size);
}

void appendLiteralString(QByteArray &out, const QByteArray &bytes)
{
    appendLiteralString(out, bytes.constData(), bytes.size());
}

void appendName(QByteArray &out, const QByteArray &name)
{
    out.append('/');
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 32 && c < 127 && !isDelimiter(ch)) {
            out.append(ch);
        } else {
            out.append('#');
            out.append(kHexDigits[c >> 4]);
            out.append(kHexDigits[c & 15]);
        }
    }
}

void appendHex(QByteArray &out, const QByteArray &bytes)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out.append(kHexDigits[c >> 4]);
        out.append(kHexDigits[c & 15]);
    }
}

} // namespace pdfsyntax
