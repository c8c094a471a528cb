#pragma once

#include <QDialog>
#include <QTimer>

// The splash: the maker's logo for three seconds at start; its timer then shows the
// connection guide unless the start flag keeps it closed.
class TForm6 : public QDialog
{
    Q_OBJECT
public:
    TForm6(const QString &StartFlag, QWidget *guideWindow);

    QTimer *Timer1;

private:
    void FormShow();
    void Timer1Timer();

    const QString &m_startFlag;
    QWidget *m_guideWindow;

protected:
    void showEvent(QShowEvent *event) override;
};
