#pragma once

#include <QStringList>

class QMenuBar;

// Access keys for the captions of one menu level. A caption marked with "&" keeps its key
// and takes it first; every other one gets the first of its letters that no caption of the
// level has taken yet, letters compared without regard to case. A caption whose letters are
// all taken, and an empty one (a separator), stays as it is. "&&" is a literal "&".
QStringList withAccessKeys(const QStringList &captions);

// Gives the menus of the bar and the entries of each menu their access keys, one level at a
// time, so that Alt and a letter reach every menu and a letter every entry.
void assignAccessKeys(QMenuBar &bar);
