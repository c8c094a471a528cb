#include "preview/reportprinting.h"

#include "preview/reportpainter.h"

#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <vector>

namespace {

// Page indices in print order for the printer's range, copies and collation.
std::vector<int> printOrder(const QPrinter &printer, int pageCount)
{
    const QPageRanges ranges = printer.pageRanges();
    const bool all = printer.printRange() != QPrinter::PageRange || ranges.isEmpty();
    std::vector<int> selected;
    for (int i = 0; i < pageCount; ++i) {
        if (all || ranges.contains(i + 1))
            selected.push_back(i);
    }
    // A driver that makes copies itself gets each page once.
    const int copies = printer.supportsMultipleCopies() ? 1 : qMax(1, printer.copyCount());
    std::vector<int> order;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            order.insert(order.end(), selected.begin(), selected.end());
    } else {
        for (int page : selected)
            order.insert(order.end(), size_t(copies), page);
    }
    return order;
}

} // namespace

void setUpReportPrinter(QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
}

bool printReport(QPrinter &printer, const PreparedReport &report)
{
    setUpReportPrinter(printer);
    const std::vector<int> order = printOrder(printer, int(report.pages.size()));
    if (order.empty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / 96.0;
    const double marginPx = reportpaper::marginMm * reportpaper::pxPerMm;
    bool ok = true;
    for (size_t i = 0; i < order.size() && ok; ++i) {
        if (i > 0)
            ok = printer.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.translate(marginPx, marginPx);
        paintPage(painter, report.pages[size_t(order[i])]);
    }
    return painter.end() && ok;
}

PrintOutcome printWithDialog(QWidget *parent, const PreparedReport &report, const PrintDialogRunner &runner)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpReportPrinter(printer);
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    printer.setPrintRange(QPrinter::AllPages);
    const int pageCount = int(report.pages.size());
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, qMax(1, pageCount));
    dialog.setFromTo(1, qMax(1, pageCount));
    if ((runner ? runner(dialog) : dialog.exec()) != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return printReport(printer, report) ? PrintOutcome::Printed : PrintOutcome::Failed;
}
