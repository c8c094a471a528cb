#include "platform/datetimepattern.h"

#include <QLocale>

#include <unordered_map>

using namespace Qt::StringLiterals;

namespace {

using Field = DateTimePattern::Field;
using Token = DateTimePattern::Token;

qsizetype runLength(const QString &pattern, qsizetype pos)
{
    qsizetype end = pos;
    while (end < pattern.size() && pattern.at(end) == pattern.at(pos))
        ++end;
    return end - pos;
}

void appendLiteral(QList<Token> &tokens, QStringView text)
{
    if (!tokens.isEmpty() && tokens.last().field == Field::Literal) {
        tokens.last().literal.append(text);
        return;
    }
    Token token;
    token.literal = text.toString();
    tokens.append(token);
}

Token fieldToken(Field field, int width)
{
    Token token;
    token.field = field;
    token.width = width;
    return token;
}

// Splits a Qt pattern into fields and literal runs; unknown letters are literal text, as
// Qt treats them, and the time-zone letter "t" is dropped (the program keeps no zones).
QList<Token> tokenize(const QString &pattern)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u'\'') {
                appendLiteral(tokens, u"'");
                i += 2;
                continue;
            }
            QString quoted;
            qsizetype j = i + 1;
            while (j < pattern.size()) {
                if (pattern.at(j) == u'\'') {
                    if (j + 1 < pattern.size() && pattern.at(j + 1) == u'\'') {
                        quoted.append(u'\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                quoted.append(pattern.at(j));
                ++j;
            }
            appendLiteral(tokens, quoted);
            i = j + 1;
            continue;
        }
        const qsizetype run = runLength(pattern, i);
        qsizetype used = run;
        switch (c.unicode()) {
        case u'd':
        case u'M': {
            used = std::min<qsizetype>(run, 4);
            const bool isDay = c == u'd';
            const Field numeric = isDay ? Field::Day : Field::Month;
            const Field name = isDay ? Field::DayName : Field::MonthName;
            tokens.append(fieldToken(used <= 2 ? numeric : name, int(used)));
            break;
        }
        case u'y':
            if (run >= 4) {
                used = 4;
                tokens.append(fieldToken(Field::Year, 4));
            } else if (run >= 2) {
                used = 2;
                tokens.append(fieldToken(Field::Year, 2));
            } else {
                appendLiteral(tokens, u"y");
            }
            break;
        case u'h':
        case u'H':
            used = std::min<qsizetype>(run, 2);
            tokens.append(fieldToken(Field::Hour, int(used)));
            break;
        case u'm':
            used = std::min<qsizetype>(run, 2);
            tokens.append(fieldToken(Field::Minute, int(used)));
            break;
        case u's':
            used = std::min<qsizetype>(run, 2);
            tokens.append(fieldToken(Field::Second, int(used)));
            break;
        case u'z':
            used = run >= 3 ? 3 : 1;
            tokens.append(fieldToken(Field::Millisecond, int(used)));
            break;
        case u'A':
        case u'a': {
            Token token = fieldToken(Field::AmPm, 2);
            token.lowerCase = c == u'a';
            used = 1;
            if (i + 1 < pattern.size() && pattern.at(i + 1).toLower() == u'p')
                used = 2;
            tokens.append(token);
            break;
        }
        case u't':
            break;
        default:
            used = 1;
            appendLiteral(tokens, QStringView(pattern).mid(i, 1));
            break;
        }
        i += used;
    }
    return tokens;
}

bool hasField(const QList<Token> &tokens, Field field)
{
    return std::any_of(tokens.cbegin(), tokens.cend(),
                       [field](const Token &t) { return t.field == field; });
}

// Removes the seconds token with the separator in front of it and a fraction after it.
QList<Token> dropSeconds(QList<Token> tokens)
{
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).field != Field::Second)
            continue;
        qsizetype end = i + 1;
        if (end + 1 < tokens.size() && tokens.at(end).field == Field::Literal
            && tokens.at(end + 1).field == Field::Millisecond)
            end += 2;
        else if (end < tokens.size() && tokens.at(end).field == Field::Millisecond)
            ++end;
        qsizetype begin = i;
        if (begin > 0 && tokens.at(begin - 1).field == Field::Literal
            && !tokens.at(begin - 1).literal.trimmed().isEmpty())
            --begin;
        tokens.remove(begin, end - begin);
        return tokens;
    }
    return tokens;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Up to maxDigits ASCII digits; -1 when there is none. digits receives how many were read.
int readNumber(QStringView text, qsizetype &pos, int maxDigits, int &digits)
{
    int value = 0;
    digits = 0;
    while (digits < maxDigits && pos < text.size() && isAsciiDigit(text.at(pos))) {
        value = value * 10 + (text.at(pos).unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

// The longest of the candidates that text continues with at pos (case ignored); its
// index, or -1.
int matchName(QStringView text, qsizetype &pos, const QStringList &candidates)
{
    int best = -1;
    qsizetype bestLength = 0;
    for (int i = 0; i < candidates.size(); ++i) {
        const QString &name = candidates.at(i);
        if (name.isEmpty() || name.size() <= bestLength)
            continue;
        if (text.mid(pos).startsWith(name, Qt::CaseInsensitive)) {
            best = i;
            bestLength = name.size();
        }
    }
    if (best >= 0)
        pos += bestLength;
    return best;
}

// Two-digit years fall in the hundred years around today: 50 back, 49 ahead.
int expandTwoDigitYear(int year)
{
    const int pivot = QDate::currentDate().year() - 50;
    year += pivot / 100 * 100;
    if (year < pivot)
        year += 100;
    return year;
}

// Day, month and the time fields take one or two digits; years up to four, fractions three.
int maxDigits(Field field)
{
    switch (field) {
    case Field::Year:
        return 4;
    case Field::Millisecond:
        return 3;
    default:
        return 2;
    }
}

QString padded(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

} // namespace

struct DateTimePattern::Values
{
    int year = -1;
    int month = -1;
    int day = -1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int pm = -1; // -1 not given, 0 AM, 1 PM

    // The member a numeric field reads into.
    int &slot(Field field)
    {
        switch (field) {
        case Field::Day:
            return day;
        case Field::Month:
            return month;
        case Field::Year:
            return year;
        case Field::Hour:
            return hour;
        case Field::Minute:
            return minute;
        case Field::Second:
            return second;
        default:
            return millisecond;
        }
    }
    int slot(Field field) const { return const_cast<Values *>(this)->slot(field); }
};

DateTimePattern::DateTimePattern(const QString &pattern)
    : DateTimePattern(tokenize(pattern))
{
}

DateTimePattern::DateTimePattern(QList<Token> tokens)
    : m_tokens(std::move(tokens)), m_twelveHour(hasField(m_tokens, Field::AmPm))
{
    if (hasField(m_tokens, Field::Second))
        m_withoutSeconds.reset(new DateTimePattern(dropSeconds(m_tokens)));
}

DateTimePattern::~DateTimePattern() = default;

bool DateTimePattern::parse(QStringView text, qsizetype &pos, Values &values) const
{
    qsizetype at = pos;
    for (const Token &token : m_tokens) {
        int digits = 0;
        switch (token.field) {
        case Field::Literal:
            for (const QChar c : token.literal) {
                if (c == u' ') {
                    if (at >= text.size() || text.at(at) != u' ')
                        return false;
                    while (at < text.size() && text.at(at) == u' ')
                        ++at;
                } else if (at < text.size() && text.at(at) == c) {
                    ++at;
                } else {
                    return false;
                }
            }
            break;
        case Field::Day:
        case Field::Month:
        case Field::Year:
        case Field::Hour:
        case Field::Minute:
        case Field::Second:
        case Field::Millisecond: {
            int &slot = values.slot(token.field);
            slot = readNumber(text, at, maxDigits(token.field), digits);
            if (slot < 0)
                return false;
            if (token.field == Field::Year && digits <= 2)
                slot = expandTwoDigitYear(slot);
            break;
        }
        case Field::DayName: {
            const QLocale locale = QLocale::system();
            QStringList names;
            for (int d = 1; d <= 7; ++d) {
                names << locale.dayName(d, QLocale::LongFormat)
                      << locale.dayName(d, QLocale::ShortFormat);
            }
            if (matchName(text, at, names) < 0)
                return false;
            break;
        }
        case Field::MonthName: {
            const QLocale locale = QLocale::system();
            QStringList names;
            for (int m = 1; m <= 12; ++m) {
                names << locale.monthName(m, QLocale::LongFormat)
                      << locale.monthName(m, QLocale::ShortFormat)
                      << locale.standaloneMonthName(m, QLocale::LongFormat)
                      << locale.standaloneMonthName(m, QLocale::ShortFormat);
            }
            const int index = matchName(text, at, names);
            if (index < 0)
                return false;
            values.month = index / 4 + 1;
            break;
        }
        case Field::AmPm: {
            const QLocale locale = QLocale::system();
            const QStringList names{u"AM"_s, u"PM"_s, locale.amText(), locale.pmText()};
            const int index = matchName(text, at, names);
            if (index < 0)
                return false;
            values.pm = index % 2;
            break;
        }
        }
    }
    pos = at;
    return true;
}

std::optional<QDate> DateTimePattern::parseDate(QStringView text, qsizetype &pos) const
{
    Values values;
    qsizetype at = pos;
    if (!parse(text, at, values))
        return std::nullopt;
    if (values.year < 0)
        values.year = QDate::currentDate().year();
    if (values.day < 0)
        values.day = 1;
    if (values.month < 0)
        return std::nullopt;
    if (!QDate::isValid(values.year, values.month, values.day))
        return std::nullopt;
    pos = at;
    return QDate(values.year, values.month, values.day);
}

std::optional<QTime> DateTimePattern::parseTime(QStringView text, qsizetype &pos) const
{
    Values values;
    qsizetype at = pos;
    if (!parse(text, at, values))
        return std::nullopt;
    int hour = values.hour;
    if (m_twelveHour) {
        if (hour > 12 || values.pm < 0)
            return std::nullopt;
        if (values.pm == 1 && hour < 12)
            hour += 12;
        else if (values.pm == 0 && hour == 12)
            hour = 0;
    }
    if (!QTime::isValid(hour, values.minute, values.second, values.millisecond))
        return std::nullopt;
    pos = at;
    return QTime(hour, values.minute, values.second, values.millisecond);
}

QString DateTimePattern::format(const Values &values) const
{
    QString out;
    for (const Token &token : m_tokens) {
        switch (token.field) {
        case Field::Literal:
            out += token.literal;
            break;
        case Field::Day:
        case Field::Month:
        case Field::Minute:
        case Field::Second:
        case Field::Millisecond:
            out += padded(values.slot(token.field), token.width);
            break;
        case Field::DayName: {
            const int weekday = QDate(values.year, values.month, values.day).dayOfWeek();
            out += QLocale::system().dayName(weekday, token.width == 3 ? QLocale::ShortFormat
                                                                       : QLocale::LongFormat);
            break;
        }
        case Field::MonthName:
            out += QLocale::system().monthName(values.month, token.width == 3
                                                                 ? QLocale::ShortFormat
                                                                 : QLocale::LongFormat);
            break;
        case Field::Year:
            out += token.width == 2 ? padded(values.year % 100, 2) : padded(values.year, 4);
            break;
        case Field::Hour: {
            int hour = values.hour;
            if (m_twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += padded(hour, token.width);
            break;
        }
        case Field::AmPm: {
            const QLocale locale = QLocale::system();
            const QString text = values.hour < 12 ? locale.amText() : locale.pmText();
            out += token.lowerCase ? text.toLower() : text.toUpper();
            break;
        }
        }
    }
    return out;
}

QString DateTimePattern::formatDate(QDate date) const
{
    Values values;
    values.year = date.year();
    values.month = date.month();
    values.day = date.day();
    return format(values);
}

QString DateTimePattern::formatTime(QTime time) const
{
    Values values;
    values.year = 2000;
    values.month = 1;
    values.day = 1;
    values.hour = time.hour();
    values.minute = time.minute();
    values.second = time.second();
    values.millisecond = time.msec();
    return format(values);
}

const DateTimePattern &cachedPattern(const QString &pattern)
{
    // Node-based, so references handed out stay valid when later patterns are added.
    thread_local std::unordered_map<QString, std::unique_ptr<DateTimePattern>> cache;
    auto found = cache.find(pattern);
    if (found == cache.end())
        found = cache.emplace(pattern, std::make_unique<DateTimePattern>(pattern)).first;
    return *found->second;
}
