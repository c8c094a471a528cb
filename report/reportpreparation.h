#pragma once

#include <QString>

class ReportLayout;
class UserDataSet;

// The steps every report command takes, in this order, before it builds: the date text into
// `Memo40`, `Memo42` shown (CSV) or hidden (preview, printing, PDF), and the data source set
// to count mode with the active table's row count.
void prepareReport(ReportLayout &layout, UserDataSet &dataSet, const QString &dateText, bool showReadings,
                   int rowCount);
