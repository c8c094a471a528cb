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

} // namespace

void appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        out.append('0');
        return;
    }
    // Fixed point in thousandths: exact, fast and never in exponent form.
    const double scaled = std::round(std::fabs(value) * 1000.0);
    if (scaled > 9.0e15) {
        out.append('0');
        return;
    }
    auto thousandths = static_cast<std::int64_t>(scaled);
    if (thousandths != 0 && value < 0)
        out.append('-');
    const std::int64_t whole = thousandths / 1000;
    int fraction = static_cast<int>(thousandths % 1000);

    char digits[24];
    int n = 0;
    std::int64_t w = whole;
    do {
        digits[n++] = char('0' + w % 10);
        w /= 10;
    } while (w != 0);
    while (n > 0)
        out.append(digits[--n]);

    if (fraction != 0) {
        out.append('.');
        int divisor = 100;
        while (fraction != 0) {
            out.append(char('0' + fraction / divisor));
            fraction %= divisor;
            divisor /= 10;
        }
    }
}

void appendLiteralString(QByteArray &out, const char *bytes, qsizetype size)
{
    out.append('(');
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '(' || c == ')' || c == '\\') {
            out.append('\\');
            out.append(char(c));
        } else if (c < 32 || c == 127) {
            const char escaped[4] = {'\\', char('0' + (c >> 6)), char('0' + ((c >> 3) & 7)),
                                     char('0' + (c & 7))};
            out.append(escaped, 4);
        } else {
            out.append(char(c));
        }
    }
    out.append(')');
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
