#include "platform/regionalsettings.h"

#include "platform/os/localepatterns.h"

#include <windows.h>

namespace {

// One locale setting of the user's locale as text; empty when Windows has none.
QString localeInfo(LCTYPE type)
{
    wchar_t buffer[128] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer,
                                       int(sizeof buffer / sizeof buffer[0]));
    if (length <= 1)
        return QString();
    return QString::fromWCharArray(buffer, length - 1);
}

} // namespace

RegionalSettings RegionalSettings::system()
{
    RegionalSettings settings;
    const QString decimal = localeInfo(LOCALE_SDECIMAL);
    if (decimal.size() == 1)
        settings.decimalSeparator = decimal.at(0);
    const QString group = localeInfo(LOCALE_STHOUSAND);
    if (group.size() == 1)
        settings.thousandSeparator = group.at(0);
    const QString shortDate = localeInfo(LOCALE_SSHORTDATE);
    if (!shortDate.isEmpty())
        settings.shortDateFormat = localepatterns::fromWindowsPicture(shortDate);
    const QString longTime = localeInfo(LOCALE_STIMEFORMAT);
    if (!longTime.isEmpty())
        settings.longTimeFormat = localepatterns::fromWindowsPicture(longTime);
    return settings;
}
