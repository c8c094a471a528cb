#pragma once

#include <QAbstractScrollArea>

struct PreparedReport;

// The preview's page view at 100 %: pages stacked top to bottom on a grey desk. Only the
// pages that meet the viewport are painted, so thousands of pages scroll without delay.
// The report is not owned; call pagesChanged() whenever its pages change.
class PreviewArea : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PreviewArea(QWidget *parent = nullptr);

    void setReport(const PreparedReport *report);
    void pagesChanged();

    int pageCount() const;
    // Index of the first page that shows in the viewport; -1 without pages.
    int firstVisiblePage() const;
    // The page's rectangle in viewport coordinates at the current scroll position.
    QRect pageRect(int page) const;

    static QSize pageSizePx();
    static int pageGapPx() { return 12; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateScrollBars();

    const PreparedReport *m_report = nullptr;
};
