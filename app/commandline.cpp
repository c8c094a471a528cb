#include "app/commandline.h"

#include "app/lirasapplication.h"
#include "platform/ui/qttranslation.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTranslator>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> runCommandLine(int &argc, char **argv)
{
    // A core application needs no display; it decodes the arguments as the system passed
    // them and lets Qt's own parts of the help and of the errors read in Russian.
    QCoreApplication application(argc, argv);
    LirasApplication::setProgramIdentity();
    QTranslator qtTexts;
    if (loadQtTranslation(qtTexts))
        QCoreApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Программа для передачи данных с прибора ЛИРАС-Д7."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Показать эту справку и выйти."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Показать версию программы и выйти."_s);
    parser.addOption(help);
    parser.addOption(version);

    if (!parser.parse(QCoreApplication::arguments())) {
        print(stderr, parser.errorText() + u"\nСправка: liras-d7 --help\n"_s);
        return 1;
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QCoreApplication::applicationName() + u' '
                          + QCoreApplication::applicationVersion() + u'\n');
        return 0;
    }
    return std::nullopt;
}
