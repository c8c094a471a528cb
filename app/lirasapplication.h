#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <exception>

class Dialogs;

// The application object: the program's title, and the one place where an error that leaves
// an event handler is shown (the default error box). The program goes on afterwards.
class LirasApplication : public QApplication
{
    Q_OBJECT
public:
    LirasApplication(int &argc, char **argv);
    ~LirasApplication() override;

    // The boxes go through these dialogs; set before the first window is created.
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }

    bool notify(QObject *receiver, QEvent *event) override;

    // The program's name, its version (the build's) and its desktop entry, as the system
    // sees them. Static: the command line needs them before any QApplication exists.
    static void setProgramIdentity();

    // The error box text: the error's text with a full stop added when its last character's
    // code is above that of the full stop.
    static QString errorBoxText(const QString &text);

    // Shows the default error box for an error caught anywhere in the program.
    void showDefaultError(std::exception_ptr error);

private:
    Dialogs *m_dialogs = nullptr;
    QTranslator m_qtTexts;
};
