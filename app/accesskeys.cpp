#include "app/accesskeys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {

// The key a caption marks with "&", null when it marks none.
QChar markedKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

void assignLevel(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        captions.append(action->text());
    const QStringList keyed = withAccessKeys(captions);
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (keyed[i] != captions[i])
            actions[i]->setText(keyed[i]);
        if (const QMenu *menu = actions[i]->menu())
            assignLevel(menu->actions());
    }
}

} // namespace

QStringList withAccessKeys(const QStringList &captions)
{
    QSet<QChar> taken;
    for (const QString &caption : captions) {
        const QChar key = markedKey(caption);
        if (!key.isNull())
            taken.insert(key);
    }
    QStringList result;
    for (QString caption : captions) {
        if (markedKey(caption).isNull()) {
            for (qsizetype i = 0; i < caption.size(); ++i) {
                if (caption[i] == u'&') {
                    ++i;
                    continue;
                }
                const QChar key = caption[i].toUpper();
                if (caption[i].isLetter() && !taken.contains(key)) {
                    taken.insert(key);
                    caption.insert(i, u'&');
                    break;
                }
            }
        }
        result.append(caption);
    }
    return result;
}

void assignAccessKeys(QMenuBar &bar)
{
    assignLevel(bar.actions());
}
