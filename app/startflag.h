#pragma once

#include <QString>

class SettingsStore;

// The start flag as the main window reads it when it is created: the string value "Start"
// of the program's key, created with "1" on a first start. A store that cannot be opened,
// or a "Start" of another type, starts the program as on a first start ("1") without
// writing over anything.
QString readStartFlag(SettingsStore &settings);

// The guide opens at start for every flag but exactly "2".
bool guideOpensAtStart(const QString &startFlag);
