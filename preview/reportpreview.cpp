#include "preview/reportpreview.h"

#include "platform/ui/dialogs.h"
#include "platform/ui/errorsink.h"
#include "preview/previewarea.h"
#include "report/preparedpage.h"

#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ReportPreview::ReportPreview(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"ЛИРАС"_s);

    auto *toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_print = toolBar->addAction(u"Печать"_s);
    m_print->setObjectName(u"printAction"_s);
    connect(m_print, &QAction::triggered, this, [this] { errorsink::guarded([this] { print(); }); });

    auto *exportMenu = new QMenu(this);
    QAction *exportPdf = exportMenu->addAction(u"PDF"_s);
    exportPdf->setObjectName(u"exportPdfAction"_s);
    QAction *exportCsv = exportMenu->addAction(u"CSV"_s);
    exportCsv->setObjectName(u"exportCsvAction"_s);
    connect(exportPdf, &QAction::triggered, this, &ReportPreview::pdfRequested);
    connect(exportCsv, &QAction::triggered, this, &ReportPreview::csvRequested);
    auto *exportButton = new QToolButton(toolBar);
    exportButton->setObjectName(u"exportButton"_s);
    exportButton->setText(u"Экспорт"_s);
    exportButton->setMenu(exportMenu);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    exportButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->addWidget(exportButton);

    QAction *pdf = toolBar->addAction(u"PDF"_s);
    pdf->setObjectName(u"pdfAction"_s);
    connect(pdf, &QAction::triggered, this, &ReportPreview::pdfRequested);

    QAction *closeAction = toolBar->addAction(u"Закрыть"_s);
    closeAction->setObjectName(u"closeAction"_s);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    m_area = new PreviewArea(this);
    m_status = new QLabel(this);
    m_status->setObjectName(u"statusLabel"_s);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_status);
}

void ReportPreview::setReport(const PreparedReport *report)
{
    m_report = report;
    m_area->setReport(report);
    showPageCount();
}

void ReportPreview::pagesChanged()
{
    m_area->pagesChanged();
}

void ReportPreview::setBuildProgress(int done, int total)
{
    m_print->setEnabled(false);
    m_status->setText(u"Построение отчета: %1 из %2"_s.arg(done).arg(total));
}

void ReportPreview::setBuildFinished()
{
    m_print->setEnabled(true);
    pagesChanged();
    showPageCount();
}

void ReportPreview::showPageCount()
{
    m_status->setText(u"Страниц: %1"_s.arg(m_report ? m_report->pages.size() : 0));
}

void ReportPreview::print()
{
    if (m_report && printWithDialog(this, *m_report, m_printDialogRunner) == PrintOutcome::Failed)
        m_dialogs.message(this, u"Ошибка печати!"_s);
}
