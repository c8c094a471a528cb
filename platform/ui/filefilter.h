#pragma once

#include <QString>
#include <QStringList>

// A filter in the "Display text|*.a;*.b|Other|*.c" form as Qt name filters, one per entry:
// "Display text (*.a *.b)". A display text that already ends in its own patterns is kept
// as it is, so "Excel files (*.csv)|*.csv" shows "Excel files (*.csv)". An entry without
// patterns matches everything.
QStringList qtNameFilters(const QString &filter);
