#include "platform/filefilter.h"
#include "platform/qtdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void qtNameFilters_data();
    void qtNameFilters();
    void boxes_data();
    void boxes();
    void openDialogSettings();
    void saveDialogSettings();
    void acceptedNameIsAbsoluteAndOfferedNextTime();
    void cancelKeepsTheLastName();
    void currentFolderIsKept();
};

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

    QTest::newRow("message") << QtDialogs::BoxKind::Message << u"ЛИРАС-Д7"_s
                             << QMessageBox::NoIcon
                             << QMessageBox::StandardButtons(QMessageBox::Ok)
                             << QMessageBox::NoButton;
    QTest::newRow("confirm") << QtDialogs::BoxKind::Confirm << u"Confirm"_s
                             << QMessageBox::Question
                             << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                             << QMessageBox::Yes;
    QTest::newRow("error") << QtDialogs::BoxKind::Error << u"ЛИРАС-Д7"_s
                           << QMessageBox::Critical
                           << QMessageBox::StandardButtons(QMessageBox::Ok)
                           << QMessageBox::NoButton;
}

void TestQtDialogs::boxes()
{
    QFETCH(QtDialogs::BoxKind, kind);
    QFETCH(QString, caption);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);

    const auto box = QtDialogs::createBox(kind, nullptr, u"Файл не существует"_s);
    QCOMPARE(box->windowTitle(), caption);
    QCOMPARE(box->text(), u"Файл не существует"_s);
    QCOMPARE(box->icon(), icon);
    QCOMPARE(box->standardButtons(), buttons);
    if (defaultButton != QMessageBox::NoButton)
        QCOMPARE(box->defaultButton(), box->button(defaultButton));
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

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
