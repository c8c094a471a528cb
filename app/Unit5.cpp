#include "app/Unit5.h"

#include <QLabel>

using namespace Qt::StringLiterals;

TForm5::TForm5(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"О программе"_s);
    setFixedSize(344, 139);
    QFont windowFont(u"Tahoma"_s);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    struct Line { int topPx; QString text; int fontHeightPx; };
    const Line lines[] = {
        {24, u"ЛИРАС-Д7"_s, 27},
        {80, u"Версия: 1.2.0"_s, 0},
        {112, u"Программа для передачи данных с прибора ЛИРАС-Д7"_s, 0},
    };
    for (const Line &line : lines) {
        auto *label = new QLabel(line.text, this);
        if (line.fontHeightPx) {
            QFont big = windowFont;
            big.setPixelSize(line.fontHeightPx);
            label->setFont(big);
        }
        label->move(24, line.topPx);
        label->adjustSize();
    }
}

void TForm5::showEvent(QShowEvent *event)
{
    // Centred on the main window every time it opens.
    if (QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
