#include "platform/ui/filefilter.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qttranslation.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace Qt::StringLiterals;

class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    // Everything here runs with Qt's own texts in Russian, as in the program.
    void initTestCase();
    void qtNameFilters_data();
    void qtNameFilters();
    void boxes_data();
    void boxes();
    void openDialogSettings();
    void saveDialogSettings();
    void acceptedNameIsAbsoluteAndOfferedNextTime();
    void cancelKeepsTheLastName();
    void currentFolderIsKept();
    void firstUseFolder_data();
    void firstUseFolder();
    void dialogsSpeakRussian_data();
    void dialogsSpeakRussian();
    void missingFileIsWarnedInRussian();

private:
    QTranslator m_qtTexts;
};

void TestQtDialogs::initTestCase()
{
    QVERIFY(loadQtTranslation(m_qtTexts));
    QVERIFY(QCoreApplication::installTranslator(&m_qtTexts));
}

void TestQtDialogs::qtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("display carries its pattern")
        << u"Excel files (*.csv)|*.csv"_s << QStringList{u"Excel files (*.csv)"_s};
    QTest::newRow("pdf") << u"PDF files (*.pdf)|*.pdf"_s << QStringList{u"PDF files (*.pdf)"_s};
    QTest::newRow("plain display") << u"Text|*.txt"_s << QStringList{u"Text (*.txt)"_s};
    QTest::newRow("several patterns") << u"Archives|*.csv;*.txt"_s
                                      << QStringList{u"Archives (*.csv *.txt)"_s};
    QTest::newRow("several entries")
        << u"Excel files (*.csv)|*.csv|All files|*.*"_s
        << QStringList{u"Excel files (*.csv)"_s, u"All files (*.*)"_s};
    QTest::newRow("display with other pattern")
        << u"Data (*.txt)|*.csv"_s << QStringList{u"Data (*.txt) (*.csv)"_s};
    QTest::newRow("no pattern") << u"Anything"_s << QStringList{u"Anything (*)"_s};
    QTest::newRow("empty") << QString() << QStringList{};
}

void TestQtDialogs::qtNameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(::qtNameFilters(filter), expected);
}

void TestQtDialogs::boxes_data()
{
    QTest::addColumn<QtDialogs::BoxKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    // The words on the buttons, in the order of the buttons; none: whatever Qt calls them.
    QTest::addColumn<QStringList>("buttonTexts");

    QTest::newRow("message") << QtDialogs::BoxKind::Message << u"ЛИРАС-Д7"_s
                             << QMessageBox::NoIcon
                             << QMessageBox::StandardButtons(QMessageBox::Ok)
                             << QMessageBox::NoButton << QStringList{};
    QTest::newRow("confirm") << QtDialogs::BoxKind::Confirm << u"Confirm"_s
                             << QMessageBox::Question
                             << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                             << QMessageBox::Yes << QStringList{u"&Yes"_s, u"&No"_s};
    QTest::newRow("error") << QtDialogs::BoxKind::Error << u"ЛИРАС-Д7"_s
                           << QMessageBox::Critical
                           << QMessageBox::StandardButtons(QMessageBox::Ok)
                           << QMessageBox::NoButton << QStringList{};
}

void TestQtDialogs::boxes()
{
    QFETCH(QtDialogs::BoxKind, kind);
    QFETCH(QString, caption);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QStringList, buttonTexts);

    const auto box = QtDialogs::createBox(kind, nullptr, u"Файл не существует"_s);
    QCOMPARE(box->windowTitle(), caption);
    QCOMPARE(box->text(), u"Файл не существует"_s);
    QCOMPARE(box->icon(), icon);
    QCOMPARE(box->standardButtons(), buttons);
    if (defaultButton != QMessageBox::NoButton)
        QCOMPARE(box->defaultButton(), box->button(defaultButton));
    if (!buttonTexts.isEmpty()) {
        QStringList texts;
        for (QAbstractButton *button : box->buttons())
            texts.append(button->text());
        QCOMPARE(texts, buttonTexts);
    }
}

void TestQtDialogs::openDialogSettings()
{
    QtFileDialog settings(FileDialog::Kind::Open);
    settings.setTitle(u"Открыть файл..."_s);
    settings.setFilter(u"Excel files (*.csv)|*.csv"_s);
    settings.setFilterIndex(1);
    settings.setDefaultExtension(u"csv"_s);
    QFileDialog dialog;
    settings.prepare(dialog);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.windowTitle(), u"Открыть файл..."_s);
    QCOMPARE(dialog.nameFilters(), QStringList{u"Excel files (*.csv)"_s});
    QCOMPARE(dialog.selectedNameFilter(), u"Excel files (*.csv)"_s);
    QCOMPARE(dialog.defaultSuffix(), u"csv"_s);
}

void TestQtDialogs::saveDialogSettings()
{
    QtFileDialog settings(FileDialog::Kind::Save);
    settings.setFilter(u"PDF files (*.pdf)|*.pdf|All|*"_s);
    settings.setFilterIndex(2);
    settings.setDefaultExtension(u".pdf"_s);
    QFileDialog dialog;
    settings.prepare(dialog);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    // No title set: the dialog keeps a title of its own.
    QVERIFY(!dialog.windowTitle().isEmpty());
    QCOMPARE(dialog.selectedNameFilter(), u"All (*)"_s);
    QCOMPARE(dialog.defaultSuffix(), u"pdf"_s);
}

void TestQtDialogs::acceptedNameIsAbsoluteAndOfferedNextTime()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList offered;
    int answer = 0;
    QtFileDialog dialog(FileDialog::Kind::Save, [&](QFileDialog &shown) {
        offered.append(shown.directory().absolutePath());
        if (answer++ == 0)
            shown.selectFile(dir.filePath(u"отчет"_s));
        return int(QDialog::Accepted);
    });
    dialog.setDefaultExtension(u"csv"_s);
    QVERIFY(dialog.execute(nullptr));
    QCOMPARE(dialog.fileName(), dir.filePath(u"отчет.csv"_s));
    QVERIFY(QFileInfo(dialog.fileName()).isAbsolute());
    // The second showing starts in the folder of the first choice, with that file chosen.
    QVERIFY(dialog.execute(nullptr));
    QCOMPARE(offered.value(1), QFileInfo(dir.path()).absoluteFilePath());
    QCOMPARE(dialog.fileName(), dir.filePath(u"отчет.csv"_s));
}

void TestQtDialogs::cancelKeepsTheLastName()
{
    QTemporaryDir dir;
    bool accept = true;
    QtFileDialog dialog(FileDialog::Kind::Save, [&](QFileDialog &shown) {
        shown.selectFile(dir.filePath(accept ? u"first.pdf"_s : u"second.pdf"_s));
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    QVERIFY(dialog.execute(nullptr));
    accept = false;
    QVERIFY(!dialog.execute(nullptr));
    QCOMPARE(dialog.fileName(), dir.filePath(u"first.pdf"_s));
}

void TestQtDialogs::currentFolderIsKept()
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QtFileDialog dialog(FileDialog::Kind::Open, [&](QFileDialog &shown) {
        QDir::setCurrent(dir.path());
        shown.selectFile(dir.filePath(u"x.csv"_s));
        return int(QDialog::Accepted);
    });
    QVERIFY(dialog.execute(nullptr));
    QCOMPARE(QDir::currentPath(), before);
}

void TestQtDialogs::firstUseFolder_data()
{
    QTest::addColumn<FileDialog::Kind>("kind");
    // Made below the temporary home; the user-dirs line names the documents folder.
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("userDirsLine");
    QTest::addColumn<QString>("expected");

    QTest::newRow("open: documents") << FileDialog::Kind::Open << u"Documents"_s << QString()
                                     << u"Documents"_s;
    QTest::newRow("save: documents") << FileDialog::Kind::Save << u"Documents"_s << QString()
                                     << u"Documents"_s;
    QTest::newRow("documents named by the desktop")
        << FileDialog::Kind::Open << u"Документы"_s
        << u"XDG_DOCUMENTS_DIR=\"$HOME/Документы\""_s << u"Документы"_s;
    QTest::newRow("no documents folder: home") << FileDialog::Kind::Save << QString() << QString()
                                               << QString();
    QTest::newRow("named documents folder missing: home")
        << FileDialog::Kind::Open << u"Documents"_s
        << u"XDG_DOCUMENTS_DIR=\"$HOME/Документы\""_s << QString();
}

void TestQtDialogs::firstUseFolder()
{
    QFETCH(FileDialog::Kind, kind);
    QFETCH(QString, folder);
    QFETCH(QString, userDirsLine);
    QFETCH(QString, expected);

    QTemporaryDir home;
    QTemporaryDir config;
    QVERIFY(home.isValid() && config.isValid());
    if (!folder.isEmpty())
        QVERIFY(QDir(home.path()).mkpath(folder));
    if (!userDirsLine.isEmpty()) {
        QFile userDirs(config.filePath(u"user-dirs.dirs"_s));
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write(userDirsLine.toUtf8() + '\n');
    }
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QtFileDialog settings(kind);
    QFileDialog dialog;
    settings.prepare(dialog);
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QCOMPARE(dialog.directory().absolutePath(), QDir(home.filePath(expected)).absolutePath());
}

void TestQtDialogs::dialogsSpeakRussian_data()
{
    QTest::addColumn<FileDialog::Kind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("acceptButton");

    QTest::newRow("open") << FileDialog::Kind::Open << u"Открыть"_s << u"&Открыть"_s;
    QTest::newRow("save") << FileDialog::Kind::Save << u"Сохранить как"_s << u"&Сохранить"_s;
}

void TestQtDialogs::dialogsSpeakRussian()
{
    QFETCH(FileDialog::Kind, kind);
    QFETCH(QString, title);
    QFETCH(QString, acceptButton);

    QtFileDialog settings(kind);
    QFileDialog dialog;
    settings.prepare(dialog);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel *>(u"lookInLabel"_s)->text(), u"Перейти к:"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"fileNameLabel"_s)->text(), u"&Имя файла:"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"fileTypeLabel"_s)->text(), u"Типы файлов:"_s);
    const auto *buttons = dialog.findChild<QDialogButtonBox *>(u"buttonBox"_s);
    QVERIFY(buttons);
    QCOMPARE(buttons->button(kind == FileDialog::Kind::Open ? QDialogButtonBox::Open
                                                            : QDialogButtonBox::Save)->text(),
             acceptButton);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"Отмена"_s);
}

void TestQtDialogs::missingFileIsWarnedInRussian()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString warning;
    QtFileDialog dialog(FileDialog::Kind::Open, [&](QFileDialog &shown) {
        shown.setDirectory(dir.path());
        shown.show();
        // The warning is the dialog's own modal box: read it and close it.
        QTimer::singleShot(0, &shown, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                warning = box->text();
                box->reject();
            }
        });
        auto *name = shown.findChild<QLineEdit *>(u"fileNameEdit"_s);
        QTest::keyClicks(name, u"missing.csv"_s);
        QTest::keyClick(name, Qt::Key_Return);
        const int result = shown.result();
        shown.reject();
        return result;
    });
    QVERIFY(!dialog.execute(nullptr));
    QCOMPARE(warning,
             u"missing.csv\nФайл не найден.\nПроверьте правильность указанного имени файла."_s);
    QVERIFY(dialog.fileName().isEmpty());
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
