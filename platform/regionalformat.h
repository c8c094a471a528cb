#pragma once

#include "platform/regionalsettings.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// Conversions between text and numbers or dates under the user's regional settings.
namespace regional {

// The text as a number with the settings' decimal separator: optional sign, digits,
// optional fraction and exponent, surrounding blanks allowed; no thousands separators.
// nullopt for anything else, the empty text included.
std::optional<double> toNumber(QStringView text, const RegionalSettings &settings);

// As toNumber, but raises AppError "'<text>' is not a valid floating point value".
double toNumberOrThrow(const QString &text, const RegionalSettings &settings);

// "#,##0.###": grouped thousands, up to three decimals, the settings' separators.
QString formatNumber(double value, const RegionalSettings &settings);

// The text as a date, optionally followed by a blank and a time, under the short date
// and long (or short) time formats; nullopt when it does not parse. Day and month may drop
// their leading zeros; order and separators must match. The value is zone-free (Qt::UTC),
// so no daylight-saving gap can move a time read from an archive.
std::optional<QDateTime> toDateTime(QStringView text, const RegionalSettings &settings);

// Short date, plus a blank and the long time when the time is not midnight; the value's
// own date and time are shown, without zone conversion. Empty for an invalid value.
QString formatDateTime(const QDateTime &value, const RegionalSettings &settings);

QString formatShortDate(QDate date, const RegionalSettings &settings);

// The zero date of the date cells: 30 December 1899, midnight (Qt::UTC like toDateTime).
QDateTime zeroDate();

} // namespace regional
