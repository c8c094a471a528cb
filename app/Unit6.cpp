#include "app/Unit6.h"

#include "app/startflag.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

using namespace Qt::StringLiterals;

TForm6::TForm6(const QString &StartFlag, QWidget *guideWindow)
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Timer1(new QTimer(this))
    , m_startFlag(StartFlag)
    , m_guideWindow(guideWindow)
{
    setObjectName(u"Form6"_s);
    setFixedSize(265, 57);
    auto *image1 = new QLabel(this);
    image1->setObjectName(u"Image1"_s);
    image1->setGeometry(0, 0, 265, 57);
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image1->setPixmap(QPixmap(u":/assets/logo.jpg"_s));

    // Running from creation, so the first tick comes three seconds after the splash was made.
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(3000);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    Timer1->start();
}

void TForm6::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
    FormShow();
}

void TForm6::FormShow()
{
    if (!Timer1->isActive())
        Timer1->start();
}

void TForm6::Timer1Timer()
{
    Timer1->stop();
    accept();
    if (guideOpensAtStart(m_startFlag) && m_guideWindow)
        m_guideWindow->show();
}
