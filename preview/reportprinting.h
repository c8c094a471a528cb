#pragma once

#include "report/preparedpage.h"

#include <functional>

class QPrintDialog;
class QPrinter;
class QWidget;

// Sets the printer to A4 landscape with the whole sheet addressable, so that the report's
// own 10 mm margins place the pages.
void setUpReportPrinter(QPrinter &printer);

// Prints the prepared pages as they are: report pixels scaled to the printer's resolution,
// origin at the margins; the printer's page ranges, copy count and collation are honoured.
// False when the printer cannot start or take a page (nothing is thrown).
bool printReport(QPrinter &printer, const PreparedReport &report);

enum class PrintOutcome { Printed, Cancelled, Failed };

// Runs the prepared print dialog and returns its result code; exec() unless a test plays the
// user.
using PrintDialogRunner = std::function<int(QPrintDialog &)>;

// The preview's print button: the print dialog (default printer, all pages, one copy,
// collated), then printing on OK. Failed when the printer could not start or take a page.
PrintOutcome printWithDialog(QWidget *parent, const PreparedReport &report, const PrintDialogRunner &runner = {});
