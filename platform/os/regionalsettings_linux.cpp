#include "platform/regionalsettings.h"

#include "platform/os/localepatterns.h"

#include <QLocale>

RegionalSettings RegionalSettings::system()
{
    const QLocale locale = QLocale::system();
    RegionalSettings settings;
    const QString decimal = locale.decimalPoint();
    if (decimal.size() == 1)
        settings.decimalSeparator = decimal.at(0);
    // A locale without grouping (or with a multi-character group mark) keeps the default.
    const QString group = locale.groupSeparator();
    if (group.size() == 1)
        settings.thousandSeparator = group.at(0);
    settings.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    settings.longTimeFormat =
        localepatterns::withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return settings;
}
