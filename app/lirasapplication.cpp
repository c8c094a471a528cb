#include "app/lirasapplication.h"

#include "platform/apperror.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/qttranslation.h"

#include <QFont>

using namespace Qt::StringLiterals;

LirasApplication::LirasApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setProgramIdentity();
    if (loadQtTranslation(m_qtTexts))
        installTranslator(&m_qtTexts);
    // The windows are laid out for Tahoma and Segoe UI; where those are not installed the
    // metric-compatible Liberation Sans keeps texts inside their places better than the
    // system's default face.
    QFont::insertSubstitution(u"Tahoma"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Segoe UI"_s, u"Liberation Sans"_s);
    errorsink::install([this](std::exception_ptr error) { showDefaultError(error); });
}

LirasApplication::~LirasApplication()
{
    errorsink::install({});
}

void LirasApplication::setProgramIdentity()
{
    setApplicationName(u"ЛИРАС-Д7"_s);
    setApplicationVersion(QStringLiteral(LIRAS_VERSION));
    // Ties the windows to the installed desktop entry, so the desktop shows its icon for them.
    setDesktopFileName(u"liras-d7"_s);
}

bool LirasApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showDefaultError(std::current_exception());
        return false;
    }
}

QString LirasApplication::errorBoxText(const QString &text)
{
    if (!text.isEmpty() && text.back() > u'.')
        return text + u'.';
    return text;
}

void LirasApplication::showDefaultError(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const AppError &e) {
        text = e.userText();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = u"Unknown error"_s;
    }
    if (m_dialogs)
        m_dialogs->error(activeWindow(), errorBoxText(text));
}
