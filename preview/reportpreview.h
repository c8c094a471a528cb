#pragma once

#include "preview/reportprinting.h"

#include <QWidget>

class Dialogs;
class PreviewArea;
class QAction;
class QLabel;
struct PreparedReport;

// The non-modal preview window "ЛИРАС": a toolbar (print, export menu with PDF and CSV,
// one-click PDF, close) over the page view. The export entries only emit signals; the owner
// connects them to the main window's export commands, which ask for the file. A print that
// fails is reported in a message box. The window deletes itself when closed.
class ReportPreview : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPreview(Dialogs &dialogs, QWidget *parent = nullptr);

    // The report is not owned; it must outlive the window or be replaced first.
    void setReport(const PreparedReport *report);
    void pagesChanged();
    // Shown while a build runs: records done of total; printing waits for the end.
    void setBuildProgress(int done, int total);
    void setBuildFinished();

    PreviewArea *area() const { return m_area; }
    // For tests: plays the user in the print dialog.
    void setPrintDialogRunner(PrintDialogRunner runner) { m_printDialogRunner = std::move(runner); }

signals:
    void pdfRequested();
    void csvRequested();

private:
    void print();
    void showPageCount();

    Dialogs &m_dialogs;
    PrintDialogRunner m_printDialogRunner;
    const PreparedReport *m_report = nullptr;
    PreviewArea *m_area;
    QAction *m_print;
    QLabel *m_status;
};
