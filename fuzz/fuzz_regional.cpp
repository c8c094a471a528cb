// The regional conversions of numbers, dates and times on arbitrary text, under Russian,
// English and unusual settings. Properties: the throwing and the optional number reading
// agree; every number read can be shown; a date and time read shows as a text that reads
// back as the same value.
#include "fuzz/fuzzcheck.h"
#include "platform/apperror.h"
#include "platform/regionalformat.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

RegionalSettings settings(QChar decimal, QChar thousands, const QString &date, const QString &time)
{
    RegionalSettings s;
    s.decimalSeparator = decimal;
    s.thousandSeparator = thousands;
    s.shortDateFormat = date;
    s.longTimeFormat = time;
    return s;
}

const RegionalSettings &settingsAt(int index)
{
    static const RegionalSettings all[] = {
        RegionalSettings(), // Russian
        settings(u'.', u',', u"M/d/yyyy"_s, u"h:mm:ss AP"_s),
        settings(u'\'', u'.', u"yyyy-MM-dd"_s, u"HH'h'mm'm'ss"_s),
    };
    return all[index];
}

void checkNumber(const QString &text, const RegionalSettings &regional)
{
    const std::optional<double> number = regional::toNumber(text, regional);
    try {
        const double thrown = regional::toNumberOrThrow(text, regional);
        FUZZ_CHECK(number && (thrown == *number || (std::isnan(thrown) && std::isnan(*number))));
    } catch (const AppError &) {
        FUZZ_CHECK(!number);
    }
    if (number && std::isfinite(*number))
        FUZZ_CHECK(!regional::formatNumber(*number, regional).isEmpty());
}

void checkDateTime(const QString &text, const RegionalSettings &regional)
{
    const std::optional<QDateTime> value = regional::toDateTime(text, regional);
    if (!value)
        return;
    FUZZ_CHECK(value->isValid());
    const QString shown = regional::formatDateTime(*value, regional);
    const std::optional<QDateTime> again = regional::toDateTime(shown, regional);
    FUZZ_CHECK(again && *again == *value);
    FUZZ_CHECK(!regional::formatShortDate(value->date(), regional).isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Text as UTF-16 units taken two bytes at a time reaches unpaired surrogates and NUL;
    // the UTF-8 reading reaches the short inputs the archives hold.
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    const QString texts[] = {QString::fromUtf8(QByteArrayView(data, qsizetype(size))), units};
    for (int index = 0; index < 3; ++index) {
        for (const QString &text : texts) {
            checkNumber(text, settingsAt(index));
            checkDateTime(text, settingsAt(index));
        }
    }
    return 0;
}
