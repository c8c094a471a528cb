#pragma once

#include <QDialog>

// The about window: the program's name, version and purpose; closed by its title bar.
class TForm5 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *mainWindow);

protected:
    void showEvent(QShowEvent *event) override;
};
