#include "app/startflag.h"

#include "platform/settingsstore.h"

using namespace Qt::StringLiterals;

QString readStartFlag(SettingsStore &settings)
{
    const QString firstStart = u"1"_s;
    const QString valueName = QString::fromUtf16(kStartValueName);
    const std::unique_ptr<SettingsKey> key = settings.createKey(QString::fromUtf16(kProgramSettingsKey));
    if (!key)
        return firstStart;
    if (key->hasValue(valueName))
        return key->readString(valueName).value_or(firstStart);
    key->writeString(valueName, firstStart);
    return firstStart;
}

bool guideOpensAtStart(const QString &startFlag)
{
    return startFlag != u"2"_s;
}
