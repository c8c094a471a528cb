#include "platform/os/localepatterns.h"

using namespace Qt::StringLiterals;

namespace localepatterns {

namespace {

// Copies a quoted run starting at pos (a quote) and returns the position after it.
qsizetype copyQuoted(const QString &pattern, qsizetype pos, QString &out)
{
    out += pattern.at(pos);
    qsizetype i = pos + 1;
    while (i < pattern.size()) {
        out += pattern.at(i);
        if (pattern.at(i) == u'\'')
            return i + 1;
        ++i;
    }
    return i;
}

qsizetype runEnd(const QString &pattern, qsizetype pos)
{
    qsizetype end = pos;
    while (end < pattern.size() && pattern.at(end) == pattern.at(pos))
        ++end;
    return end;
}

// Drops the blanks at the end of out: the ones that joined a removed field to the rest.
void chopBlanks(QString &out)
{
    while (out.endsWith(u' '))
        out.chop(1);
}

} // namespace

QString withoutTimeZone(const QString &qtPattern)
{
    QString out;
    qsizetype i = 0;
    bool skipFollowingBlanks = false;
    while (i < qtPattern.size()) {
        const QChar c = qtPattern.at(i);
        if (c == u'\'') {
            i = copyQuoted(qtPattern, i, out);
            skipFollowingBlanks = false;
            continue;
        }
        if (c == u't') {
            i = runEnd(qtPattern, i);
            chopBlanks(out);
            // A zone in front of the time leaves no blank before the time.
            skipFollowingBlanks = out.isEmpty();
            continue;
        }
        if (c == u' ' && skipFollowingBlanks) {
            ++i;
            continue;
        }
        skipFollowingBlanks = false;
        out += c;
        ++i;
    }
    return out;
}

QString fromWindowsPicture(const QString &picture)
{
    QString out;
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar c = picture.at(i);
        if (c == u'\'') {
            i = copyQuoted(picture, i, out);
            continue;
        }
        const qsizetype end = runEnd(picture, i);
        const qsizetype run = end - i;
        if (c == u't') {
            out += run >= 2 ? u"AP"_s : u"A"_s;
        } else if (c == u'g') {
            // The era has no Qt field; the blank that set it off goes with it.
            chopBlanks(out);
        } else {
            out += QStringView(picture).mid(i, run);
        }
        i = end;
    }
    return out.trimmed();
}

} // namespace localepatterns
