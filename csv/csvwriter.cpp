#include "csv/csvwriter.h"

#include "csv/csvfield.h"
#include "csv/csvpagegrid.h"
#include "platform/ansicodepage.h"
#include "platform/progress.h"
#include "platform/savefile.h"

#include <QSaveFile>

#include <vector>

namespace {

// Appends the lines of one page. The grid lives only while the page is written.
void appendPage(const PreparedPage &page, const AnsiCodePage &ansi, QByteArray &out)
{
    const csv::PageGrid grid(page);
    const int columns = int(grid.xEdges().size());
    const int rows = int(grid.yEdges().size()) - 1; // the last y edge starts no row
    std::vector<bool> written(page.boxes.size(), false);
    for (int row = 0; row < rows; ++row) {
        bool rowHasBox = false;
        for (int column = 0; column < columns; ++column) {
            const int box = grid.boxAt(column, row);
            if (box == csv::PageGrid::kNoBox)
                continue; // cells without a box shift the following fields left
            rowHasBox = true;
            if (written[box]) {
                out.append(csv::kSeparator);
            } else {
                out.append(csv::boxField(page.boxes[box], ansi));
                written[box] = true;
            }
        }
        // The line break takes the place of the row's last separator.
        if (rowHasBox)
            out.chop(1);
        out.append("\r\n");
    }
}

} // namespace

bool writeCsv(const QString &fileName, const PreparedReport &report, const AnsiCodePage &ansi,
              Progress &progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    progress.setMaximum(int(report.pages.size()));
    QByteArray pageBytes;
    int pagesDone = 0;
    for (const PreparedPage &page : report.pages) {
        pageBytes.truncate(0); // keeps the capacity for the next page
        appendPage(page, ansi, pageBytes);
        if (file.write(pageBytes) != pageBytes.size())
            return false; // the unfinished temporary file is discarded with the QSaveFile
        progress.setValue(++pagesDone);
    }
    return commitSaveFile(file);
}
