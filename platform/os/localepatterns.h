#pragma once

#include <QString>

// Conversions of the systems' own date and time patterns into what RegionalSettings holds.
namespace localepatterns {

// The pattern without its time-zone field ("t", "tt" ...) and the blanks that joined it to
// the rest: "HH:mm:ss t" gives "HH:mm:ss". Quoted text is left alone.
QString withoutTimeZone(const QString &qtPattern);

// A Windows date or time picture (GetLocaleInfoEx) as a Qt pattern: "tt" becomes "AP",
// "t" "A", the era "g"/"gg" is dropped, quoted text and the other letters carry over.
QString fromWindowsPicture(const QString &picture);

} // namespace localepatterns
