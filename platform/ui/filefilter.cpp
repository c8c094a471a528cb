#include "platform/ui/filefilter.h"

using namespace Qt::StringLiterals;

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString display = parts.at(i).trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString &pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
                if (!pattern.trimmed().isEmpty())
                    patterns.append(pattern.trimmed());
            }
        }
        if (display.isEmpty() && patterns.isEmpty())
            continue;
        if (patterns.isEmpty())
            patterns.append(u"*"_s);
        const QString own = u'(' + patterns.join(u' ') + u')';
        // Qt reads the patterns from the last parentheses of the text, so the display text
        // stands alone only when those are exactly its patterns.
        if (display.endsWith(own))
            result.append(display);
        else if (display.isEmpty())
            result.append(own);
        else
            result.append(display + u' ' + own);
    }
    return result;
}
