// The program's command line as a script meets it: the real executable, with no display.
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void withoutDisplay_data();
    void withoutDisplay();
};

void TestCommandLine::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outputHas");
    QTest::addColumn<QStringList>("errorHas");

    const QString version = u"ЛИРАС-Д7 "_s + QStringLiteral(LIRAS_VERSION) + u'\n';
    QTest::newRow("version") << QStringList{u"--version"_s} << 0 << QStringList{version}
                             << QStringList{};
    QTest::newRow("version, short") << QStringList{u"-v"_s} << 0 << QStringList{version}
                                    << QStringList{};
    // A file name beside an option that ends the program changes nothing.
    QTest::newRow("version with a file") << QStringList{u"archive.csv"_s, u"--version"_s} << 0
                                         << QStringList{version} << QStringList{};
    const QStringList helpTexts{u"Использование:"_s, u"Программа для передачи данных с прибора ЛИРАС-Д7."_s,
                                u"--version"_s, u"Показать версию программы и выйти."_s,
                                u"--help"_s, u"Показать эту справку и выйти."_s};
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << helpTexts << QStringList{};
    QTest::newRow("help, short") << QStringList{u"-h"_s} << 0 << helpTexts << QStringList{};
    QTest::newRow("unknown option")
        << QStringList{u"--bogus"_s} << 1 << QStringList{}
        << QStringList{u"Неизвестный параметр «bogus»."_s, u"Справка: liras-d7 --help"_s};
}

void TestCommandLine::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outputHas);
    QFETCH(QStringList, errorHas);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("LIRAS_EXECUTABLE"), arguments);
    QVERIFY(program.waitForFinished(30000));
    const QString output = QString::fromUtf8(program.readAllStandardOutput());
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    for (const QString &text : outputHas)
        QVERIFY2(output.contains(text), qPrintable(output));
    for (const QString &text : errorHas)
        QVERIFY2(errors.contains(text), qPrintable(errors));
    if (exitCode != 0)
        QVERIFY(output.isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
