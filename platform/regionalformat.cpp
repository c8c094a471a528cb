#include "platform/regionalformat.h"

#include "platform/apperror.h"
#include "platform/datetimepattern.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace regional {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text.at(pos) == u' ')
        ++pos;
    return pos;
}

QStringView trimBlanks(QStringView text)
{
    const qsizetype begin = skipBlanks(text, 0);
    qsizetype end = text.size();
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

// Adds one to a string of decimal digits, growing it when the carry runs off the front.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

constexpr int kDecimals = 3;
constexpr int kSignificantDigits = 15;

// |value| * 1000 rounded half up on its 15-digit decimal form, as decimal digits: the way a
// classic FormatFloat rounds, so 0.0005 shows as 0,001 although its binary value is below.
std::string scaledDigits(double magnitude)
{
    if (magnitude == 0.0)
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, result.ptr - buffer);
    const auto ePos = text.find('e');
    std::string mantissa;
    for (const char c : text.substr(0, ePos)) {
        if (c != '.')
            mantissa.push_back(c);
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                    text.data() + text.size(), exponent);
    const int kept = exponent + 1 + kDecimals;
    if (kept < 0)
        return "0";
    std::string digits;
    for (int i = 0; i < kept; ++i)
        digits.push_back(i < int(mantissa.size()) ? mantissa[i] : '0');
    if (kept < int(mantissa.size()) && mantissa[kept] >= '5')
        incrementDigits(digits);
    return digits.empty() ? std::string("0") : digits;
}

} // namespace

std::optional<double> toNumber(QStringView text, const RegionalSettings &settings)
{
    QVarLengthArray<char, 64> ascii;
    qsizetype i = skipBlanks(text, 0);
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        if (text.at(i) == u'-')
            ascii.append('-');
        ++i;
    }
    int mantissaDigits = 0;
    int integerDigits = 0;
    while (i < text.size() && isAsciiDigit(text.at(i))) {
        ascii.append(char(text.at(i).unicode()));
        ++i;
        ++mantissaDigits;
        ++integerDigits;
    }
    if (i < text.size() && text.at(i) == settings.decimalSeparator) {
        ascii.append('.');
        ++i;
        while (i < text.size() && isAsciiDigit(text.at(i))) {
            ascii.append(char(text.at(i).unicode()));
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    int exponent = 0;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        ascii.append('e');
        ++i;
        bool negative = false;
        if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
            negative = text.at(i) == u'-';
            if (negative)
                ascii.append('-');
            ++i;
        }
        int exponentDigits = 0;
        while (i < text.size() && isAsciiDigit(text.at(i))) {
            ascii.append(char(text.at(i).unicode()));
            if (exponent < 100000)
                exponent = exponent * 10 + (text.at(i).unicode() - u'0');
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
        if (negative)
            exponent = -exponent;
    }
    if (skipBlanks(text, i) != text.size())
        return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is no value.
        if (integerDigits + exponent < 0)
            return ascii.front() == '-' ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

double toNumberOrThrow(const QString &text, const RegionalSettings &settings)
{
    const std::optional<double> value = toNumber(text, settings);
    if (!value)
        throw AppError(u"'%1' is not a valid floating point value"_s.arg(text));
    return *value;
}

QString formatNumber(double value, const RegionalSettings &settings)
{
    if (std::isnan(value))
        return u"NAN"_s;
    if (std::isinf(value))
        return value < 0 ? u"-INF"_s : u"INF"_s;

    std::string digits = scaledDigits(std::fabs(value));
    if (digits.size() <= kDecimals)
        digits.insert(0, kDecimals + 1 - digits.size(), '0');
    std::string_view integerPart(digits.data(), digits.size() - kDecimals);
    std::string_view fraction(digits.data() + integerPart.size(), kDecimals);
    while (integerPart.size() > 1 && integerPart.front() == '0')
        integerPart.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);

    QString out;
    out.reserve(int(integerPart.size() + integerPart.size() / 3 + fraction.size() + 2));
    // A value that rounds to zero shows no sign.
    if (value < 0 && (integerPart != "0" || !fraction.empty()))
        out += u'-';
    for (size_t i = 0; i < integerPart.size(); ++i) {
        if (i > 0 && (integerPart.size() - i) % 3 == 0)
            out += settings.thousandSeparator;
        out += QLatin1Char(integerPart[i]);
    }
    if (!fraction.empty()) {
        out += settings.decimalSeparator;
        for (const char c : fraction)
            out += QLatin1Char(c);
    }
    return out;
}

std::optional<QDateTime> toDateTime(QStringView text, const RegionalSettings &settings)
{
    const QStringView trimmed = trimBlanks(text);
    qsizetype pos = 0;
    const std::optional<QDate> date =
        cachedPattern(settings.shortDateFormat).parseDate(trimmed, pos);
    if (!date)
        return std::nullopt;
    if (pos == trimmed.size())
        return QDateTime(*date, QTime(0, 0), Qt::UTC);
    if (trimmed.at(pos) != u' ')
        return std::nullopt;
    pos = skipBlanks(trimmed, pos);

    // The long time, the long time without its seconds, and the plain 24-hour short time.
    static const QString plainShortTime = u"H:mm"_s;
    const DateTimePattern &longTime = cachedPattern(settings.longTimeFormat);
    for (const DateTimePattern *pattern :
         {&longTime, longTime.withoutSeconds(), &cachedPattern(plainShortTime)}) {
        if (!pattern)
            continue;
        qsizetype at = pos;
        const std::optional<QTime> time = pattern->parseTime(trimmed, at);
        if (time && at == trimmed.size())
            return QDateTime(*date, *time, Qt::UTC);
    }
    return std::nullopt;
}

QString formatDateTime(const QDateTime &value, const RegionalSettings &settings)
{
    if (!value.isValid())
        return QString();
    QString out = formatShortDate(value.date(), settings);
    const QTime time = value.time();
    if (time != QTime(0, 0)) {
        out += u' ';
        out += cachedPattern(settings.longTimeFormat).formatTime(time);
    }
    return out;
}

QString formatShortDate(QDate date, const RegionalSettings &settings)
{
    if (!date.isValid())
        return QString();
    return cachedPattern(settings.shortDateFormat).formatDate(date);
}

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
}

} // namespace regional
