#include "app/commandline.h"

#include "app/archiveexport.h"
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

int wrongUsage(const QString &reason)
{
    print(stderr, reason + u"\nСправка: liras-d7 --help\n"_s);
    return int(ExitCode::WrongUsage);
}

const QString kExamples = u"\nПримеры:\n"
                          u"  liras-d7 archive_basic.csv archive_individual.csv\n"
                          u"      открыть архивы в окне программы, каждый на своей вкладке\n"
                          u"  liras-d7 --pdf отчет.pdf archive_basic.csv\n"
                          u"      без окна записать отчет архива в файл PDF\n"
                          u"  liras-d7 --csv отчет.csv archive_individual.csv\n"
                          u"      без окна записать отчет архива в файл CSV\n"
                          u"\nКоды завершения: 0 готово, 1 неверные параметры, 2 архив не прочитан "
                          u"или не является архивом, 3 файл отчета не записан.\n"_s;

} // namespace

CommandLineRun runCommandLine(int &argc, char **argv)
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
    const QCommandLineOption pdf(u"pdf"_s, u"Без окна записать отчет архива в файл PDF <файл>."_s, u"файл"_s);
    const QCommandLineOption csv(u"csv"_s, u"Без окна записать отчет архива в файл CSV <файл>."_s, u"файл"_s);
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(pdf);
    parser.addOption(csv);
    parser.addPositionalArgument(u"архивы"_s, u"Файлы архивов: открыть в окне, или один для --pdf и --csv."_s,
                                 u"[архив…]"_s);

    if (!parser.parse(QCoreApplication::arguments()))
        return {wrongUsage(parser.errorText()), {}};
    if (parser.isSet(help)) {
        print(stdout, parser.helpText() + kExamples);
        return {0, {}};
    }
    if (parser.isSet(version)) {
        print(stdout, QCoreApplication::applicationName() + u' '
                          + QCoreApplication::applicationVersion() + u'\n');
        return {0, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (!parser.isSet(pdf) && !parser.isSet(csv))
        return {std::nullopt, files};
    if (parser.isSet(pdf) && parser.isSet(csv))
        return {wrongUsage(u"Укажите либо --pdf, либо --csv."_s), {}};
    const QCommandLineOption &chosen = parser.isSet(pdf) ? pdf : csv;
    if (parser.values(chosen).size() > 1)
        return {wrongUsage(u"Укажите один файл отчета."_s), {}};
    if (files.size() != 1)
        return {wrongUsage(u"Укажите один файл архива."_s), {}};
    const ExportFormat format = parser.isSet(pdf) ? ExportFormat::Pdf : ExportFormat::Csv;
    return {int(exportArchive(format, parser.value(chosen), files.front())), {}};
}
