#pragma once

#include "report/preparedpage.h"

class QPrinter;
class QWidget;

// Sets the printer to A4 landscape with the whole sheet addressable, so that the report's
// own 10 mm margins place the pages.
void setUpReportPrinter(QPrinter &printer);

// Prints the prepared pages as they are: report pixels scaled to the printer's resolution,
// origin at the margins; the printer's page ranges, copy count and collation are honoured.
// False when the printer cannot start or take a page (nothing is thrown).
bool printReport(QPrinter &printer, const PreparedReport &report);

// The preview's print button: the print dialog (default printer, all pages, one copy,
// collated), then printing on OK. True when printed, false when cancelled or failed.
bool printWithDialog(QWidget *parent, const PreparedReport &report);
