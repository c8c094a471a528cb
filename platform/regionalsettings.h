#pragma once

#include <QChar>
#include <QString>

// The user's regional settings as the program uses them. Formats are Qt date/time patterns.
struct RegionalSettings
{
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u'\u00a0';
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy");
    QString longTimeFormat = QStringLiteral("H:mm:ss");

    // Read from the operating system (Windows locale, or the system locale elsewhere).
    static RegionalSettings system();
};
