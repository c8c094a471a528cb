#include "preview/progresswindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(const QString &text, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowModality(Qt::NonModal);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text, this));
    m_bar = new QProgressBar(this);
    m_bar->setMinimumWidth(280);
    layout->addWidget(m_bar);
}

void ProgressWindow::setMaximum(int maximum)
{
    m_bar->setRange(0, qMax(0, maximum));
    m_bar->setValue(0);
    if (!isVisible())
        show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::setValue(int value)
{
    m_bar->setValue(value);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
