#include "app/Unit2.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "app/commandline.h"
#include "app/lirasapplication.h"
#include "chart/Unit3.h"
#include "guide/Unit4.h"
#include "platform/ui/systemplatform.h"

#include <QTimer>

int main(int argc, char *argv[])
{
    const CommandLineRun commandLine = runCommandLine(argc, argv);
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    LirasApplication application(argc, argv);
    SystemPlatform system;
    const Platform platform = system.platform();
    application.setDialogs(&platform.dialogs);

    // Created in this order; the first becomes the main window.
    TForm1 Form1(platform);
    TForm3 Form3(Form1.basicTable(), Form1.individualTable(), Form1.chartSelection, platform.regional, &Form1);
    // Owned by the main window so that it stays above it.
    TForm4 Form4(platform.settings, Form1.StartFlag, &Form1);
    TForm5 Form5(&Form1);
    Form1.setChartWindow(&Form3);
    Form1.setAboutWindow(&Form5);
    {
        TForm6 Form6(Form1.StartFlag, &Form4);
        Form6.exec();
    }
    Form1.showMaximisedAtStart();
    // The guide opened by the splash stays in front of the main window.
    if (Form4.isVisible())
        Form4.raise();
    // The files handed over open once the window is on screen, their messages over it.
    QTimer::singleShot(0, &Form1, [&Form1, &commandLine] { Form1.openArchives(commandLine.files); });
    return application.exec();
}
