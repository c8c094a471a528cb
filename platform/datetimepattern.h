#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <QTime>

#include <memory>
#include <optional>

// A Qt date or time pattern ("dd.MM.yyyy", "h:mm:ss AP") taken apart once, so that the hot
// paths of loading and sorting parse and format without building a QRegularExpression or
// re-reading the pattern on every call.
class DateTimePattern
{
public:
    enum class Field {
        Literal,
        Day,
        DayName,
        Month,
        MonthName,
        Year,
        Hour,
        Minute,
        Second,
        Millisecond,
        AmPm
    };

    struct Token
    {
        Field field = Field::Literal;
        int width = 0;      // letters in the pattern: 2 for "dd", 4 for "yyyy"
        QString literal;    // Literal only
        bool lowerCase = false; // AmPm written "ap"
    };

    explicit DateTimePattern(const QString &pattern);
    DateTimePattern(const DateTimePattern &) = delete;
    DateTimePattern &operator=(const DateTimePattern &) = delete;
    ~DateTimePattern();

    // The same pattern without its seconds (and anything finer) and the separator before
    // them: "H:mm:ss" gives "H:mm", as a short time is the long time without seconds.
    // Null when the pattern has no seconds.
    const DateTimePattern *withoutSeconds() const { return m_withoutSeconds.get(); }

    // Reads a date from the start of text at pos; numbers may drop their leading zeros
    // ("1.2.2024" for "dd.MM.yyyy") but order and separators must match. A blank in the
    // pattern takes one or more blanks. On success pos moves past the date.
    std::optional<QDate> parseDate(QStringView text, qsizetype &pos) const;
    // As parseDate, for a time of day.
    std::optional<QTime> parseTime(QStringView text, qsizetype &pos) const;

    QString formatDate(QDate date) const;
    QString formatTime(QTime time) const;

private:
    explicit DateTimePattern(QList<Token> tokens);
    struct Values;
    bool parse(QStringView text, qsizetype &pos, Values &values) const;
    QString format(const Values &values) const;

    QList<Token> m_tokens;
    bool m_twelveHour = false;
    std::unique_ptr<DateTimePattern> m_withoutSeconds;
};

// The pattern object for a pattern text, built on first use and kept (patterns are few:
// the user's date and time formats).
const DateTimePattern &cachedPattern(const QString &pattern);
