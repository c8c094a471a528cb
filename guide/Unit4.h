#pragma once

#include "guide/gifplayer.h"

#include <QWidget>

class GlyphButton;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class SettingsStore;

// The connection guide: three steps, each an instruction on the left and an animation on
// the right, one button that advances and finally closes, and a box that keeps the guide
// closed on later starts. Created once; closing only hides it.
class TForm4 : public QWidget
{
    Q_OBJECT

public:
    // StartFlag is the main window's mirror of the registry value "Start"; both outlive
    // this window.
    TForm4(SettingsStore &settings, QString &StartFlag, QWidget *parent = nullptr);

    // 0, 1 or 2: the step on screen; reset each time the window is shown.
    int guideStep() const { return m_guideStep; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void FormShow();
    void SpeedButton1Click();
    void CheckBox1Click();
    // Loads the file from the current directory and plays it in Image1; on failure throws
    // and leaves the picture on screen as it was.
    void showAnimation(const QString &fileName);

    SettingsStore &m_settings;
    QString &m_startFlag;
    int m_guideStep = 0;
    GifPlayer m_player;

    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    GlyphButton *SpeedButton1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QPlainTextEdit *Memo3 = nullptr;
    QPlainTextEdit *Memo4 = nullptr;
};
