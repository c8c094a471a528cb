#include "giffixture.h"

#include "guide/Unit4.h"
#include "platform/apperror.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/fakeplatform.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kKey = QString::fromUtf16(kProgramSettingsKey);
const QString kValue = QString::fromUtf16(kStartValueName);

// Each step's animation is drawn in its own colour, so the screen tells which file shows.
const QList<std::pair<QString, QRgb>> kPictures = {
    {u"conn"_s, qRgb(255, 0, 0)},
    {u"power"_s, qRgb(0, 160, 0)},
    {u"open"_s, qRgb(0, 0, 255)},
};

QByteArray animationIn(QRgb colour)
{
    const QList<QRgb> palette = {colour, colour, qRgb(0, 0, 0), qRgb(0, 0, 0)};
    return giffixture::solidFrames(palette, {5, 5}, 0);
}

QByteArray pngPicture()
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeAnimations(const QDir &folder)
{
    for (const auto &[name, colour] : kPictures) {
        if (!writeFile(folder.filePath(name + u".gmm"_s), animationIn(colour)))
            return false;
    }
    return true;
}

template<typename T>
T *child(TForm4 &window, const QString &name)
{
    return window.findChild<T *>(name);
}

// Which animation the picture area shows, read from the drawn window at two opposite
// corners of the area (so the picture must fill it), or "none" for the bare window.
QString shownPicture(TForm4 &window)
{
    const QImage drawn = window.grab().toImage();
    const QRgb topLeft = drawn.pixel(186, 61);
    if (drawn.pixel(582, 461) != topLeft)
        return u"unevenly drawn"_s;
    for (const auto &[name, colour] : kPictures) {
        if (colour == topLeft)
            return name;
    }
    return topLeft == qRgb(255, 255, 255) ? u"none"_s : u"unknown colour"_s;
}

QString visibleMemo(TForm4 &window)
{
    QStringList shown;
    for (const QString &name : {u"Memo1"_s, u"Memo2"_s, u"Memo3"_s, u"Memo4"_s}) {
        if (!child<QPlainTextEdit>(window, name)->isHidden())
            shown.append(name);
    }
    return shown.join(u',');
}

QString caption(TForm4 &window)
{
    return child<QAbstractButton>(window, u"SpeedButton1"_s)->text();
}

void clickStep(TForm4 &window)
{
    QTest::mouseClick(child<QAbstractButton>(window, u"SpeedButton1"_s), Qt::LeftButton);
}

} // namespace

class TestGuideWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheStepsInTurn_data();
    void showsTheStepsInTurn();
    void closingHidesAtAnyStepAndShowingStartsAgain_data();
    void closingHidesAtAnyStepAndShowingStartsAgain();
    void failedPicturesLeaveTheStepsGoing_data();
    void failedPicturesLeaveTheStepsGoing();
    void picturesFollowTheCurrentDirectory();
    void tickingSwitchesTheGuideOff_data();
    void tickingSwitchesTheGuideOff();
    void untickingNeverSwitchesItBackOn();
    void controlsSitWhereTheWindowPlacesThem_data();
    void controlsSitWhereTheWindowPlacesThem();
    void instructionTexts_data();
    void instructionTexts();
    void windowProperties();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_previousDirectory;
    errorsink::Handler m_previousHandler;
    QStringList m_errors;
    FakeSettingsStore m_settings;
    QString m_startFlag;
};

void TestGuideWindow::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    QVERIFY(writeAnimations(QDir(m_folder->path())));
    m_previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    m_errors.clear();
    m_previousHandler = errorsink::install([this](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const AppError &appError) {
            m_errors.append(appError.userText());
        }
    });
    m_settings = FakeSettingsStore();
    m_settings.setValue(kKey, kValue, {u"1"_s});
    m_startFlag = u"1"_s;
}

void TestGuideWindow::cleanup()
{
    errorsink::install(m_previousHandler);
    QDir::setCurrent(m_previousDirectory);
    m_folder.reset();
}

void TestGuideWindow::showsTheStepsInTurn_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("buttonCaption");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("open");
    QTest::newRow("on show") << 0 << u"Memo1"_s << u"conn"_s << u"Далее"_s << 0 << true;
    QTest::newRow("first click") << 1 << u"Memo2"_s << u"power"_s << u"Далее"_s << 1 << true;
    QTest::newRow("second click") << 2 << u"Memo4"_s << u"open"_s << u"Закрыть"_s << 2 << true;
    QTest::newRow("third click closes") << 3 << u"Memo4"_s << u"open"_s << u"Закрыть"_s << 2 << false;
}

void TestGuideWindow::showsTheStepsInTurn()
{
    QFETCH(int, clicks);
    QFETCH(QString, memo);
    QFETCH(QString, picture);
    QFETCH(QString, buttonCaption);
    QFETCH(int, step);
    QFETCH(bool, open);

    TForm4 window(m_settings, m_startFlag);
    window.show();
    for (int click = 0; click < clicks; ++click)
        clickStep(window);

    QCOMPARE(visibleMemo(window), memo);
    QCOMPARE(shownPicture(window), picture);
    QCOMPARE(caption(window), buttonCaption);
    QCOMPARE(window.guideStep(), step);
    QCOMPARE(window.isVisible(), open);
    QCOMPARE(m_errors, QStringList());
    QCOMPARE(m_startFlag, u"1"_s);
}

void TestGuideWindow::closingHidesAtAnyStepAndShowingStartsAgain_data()
{
    QTest::addColumn<int>("clicks");
    QTest::newRow("at step 1") << 0;
    QTest::newRow("at step 2") << 1;
    QTest::newRow("at step 3") << 2;
}

void TestGuideWindow::closingHidesAtAnyStepAndShowingStartsAgain()
{
    QFETCH(int, clicks);

    TForm4 window(m_settings, m_startFlag);
    window.show();
    for (int click = 0; click < clicks; ++click)
        clickStep(window);
    QVERIFY(window.close());
    QVERIFY(window.isHidden());
    QCOMPARE(window.guideStep(), clicks);

    window.show();
    QCOMPARE(window.guideStep(), 0);
    QCOMPARE(visibleMemo(window), u"Memo1"_s);
    QCOMPARE(caption(window), u"Далее"_s);
    QCOMPARE(shownPicture(window), u"conn"_s);
    QCOMPARE(m_errors, QStringList());
}

void TestGuideWindow::failedPicturesLeaveTheStepsGoing_data()
{
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("notGif");
    QTest::addColumn<QStringList>("pictures");     // after the show and after each of two clicks
    QTest::addColumn<QList<int>>("errorCounts");   // at the same moments
    QTest::addColumn<QStringList>("errors");       // %1 stands for the current directory
    QTest::addColumn<QString>("lastCaption");

    const QString noFile = u"Cannot open file \"%1/%2\". No such file or directory"_s;
    const QString notGif = u"Invalid GIF signature"_s;
    QTest::newRow("conn.gmm missing") << QStringList{u"conn.gmm"_s} << QStringList()
                                      << QStringList{u"none"_s, u"power"_s, u"open"_s} << QList<int>{1, 1, 1}
                                      << QStringList{noFile.arg(u"%1"_s, u"conn.gmm"_s)} << u"Закрыть"_s;
    QTest::newRow("power.gmm missing") << QStringList{u"power.gmm"_s} << QStringList()
                                       << QStringList{u"conn"_s, u"conn"_s, u"open"_s} << QList<int>{0, 1, 1}
                                       << QStringList{noFile.arg(u"%1"_s, u"power.gmm"_s)} << u"Закрыть"_s;
    QTest::newRow("open.gmm missing") << QStringList{u"open.gmm"_s} << QStringList()
                                      << QStringList{u"conn"_s, u"power"_s, u"power"_s} << QList<int>{0, 0, 1}
                                      << QStringList{noFile.arg(u"%1"_s, u"open.gmm"_s)} << u"Далее"_s;
    QTest::newRow("all missing") << QStringList{u"conn.gmm"_s, u"power.gmm"_s, u"open.gmm"_s} << QStringList()
                                 << QStringList{u"none"_s, u"none"_s, u"none"_s} << QList<int>{1, 2, 3}
                                 << QStringList{noFile.arg(u"%1"_s, u"conn.gmm"_s), noFile.arg(u"%1"_s, u"power.gmm"_s),
                                                noFile.arg(u"%1"_s, u"open.gmm"_s)}
                                 << u"Далее"_s;
    QTest::newRow("conn.gmm holds a PNG") << QStringList() << QStringList{u"conn.gmm"_s}
                                          << QStringList{u"none"_s, u"power"_s, u"open"_s} << QList<int>{1, 1, 1}
                                          << QStringList{notGif} << u"Закрыть"_s;
    QTest::newRow("power.gmm holds a PNG") << QStringList() << QStringList{u"power.gmm"_s}
                                           << QStringList{u"conn"_s, u"conn"_s, u"open"_s} << QList<int>{0, 1, 1}
                                           << QStringList{notGif} << u"Закрыть"_s;
    QTest::newRow("open.gmm holds a PNG") << QStringList() << QStringList{u"open.gmm"_s}
                                          << QStringList{u"conn"_s, u"power"_s, u"power"_s} << QList<int>{0, 0, 1}
                                          << QStringList{notGif} << u"Далее"_s;
}

void TestGuideWindow::failedPicturesLeaveTheStepsGoing()
{
    QFETCH(QStringList, missing);
    QFETCH(QStringList, notGif);
    QFETCH(QStringList, pictures);
    QFETCH(QList<int>, errorCounts);
    QFETCH(QStringList, errors);
    QFETCH(QString, lastCaption);

    QDir folder(m_folder->path());
    for (const QString &name : missing)
        QVERIFY(folder.remove(name));
    for (const QString &name : notGif)
        QVERIFY(writeFile(folder.filePath(name), pngPicture()));

    TForm4 window(m_settings, m_startFlag);
    window.show();
    QVERIFY(window.isVisible());
    QCOMPARE(visibleMemo(window), u"Memo1"_s);
    QCOMPARE(caption(window), u"Далее"_s);
    const QStringList memos = {u"Memo1"_s, u"Memo2"_s, u"Memo4"_s};
    for (int stage = 0; stage < 3; ++stage) {
        if (stage > 0)
            clickStep(window);
        QCOMPARE(window.guideStep(), stage);
        QCOMPARE(visibleMemo(window), memos.at(stage));
        QCOMPARE(shownPicture(window), pictures.at(stage));
        QCOMPARE(int(m_errors.size()), errorCounts.at(stage));
    }
    QCOMPARE(caption(window), lastCaption);
    QStringList expected;
    for (const QString &error : errors)
        expected.append(error.contains(u"%1"_s) ? error.arg(m_folder->path()) : error);
    QCOMPARE(m_errors, expected);

    clickStep(window);
    QVERIFY(window.isHidden());
}

void TestGuideWindow::picturesFollowTheCurrentDirectory()
{
    // Another folder whose files draw each step in the colour of the next one.
    QTemporaryDir other;
    QVERIFY(other.isValid());
    QVERIFY(writeFile(QDir(other.path()).filePath(u"power.gmm"_s), animationIn(kPictures.at(2).second)));

    TForm4 window(m_settings, m_startFlag);
    window.show();
    QVERIFY(QDir::setCurrent(other.path()));
    clickStep(window);
    QCOMPARE(shownPicture(window), u"open"_s);
    clickStep(window);
    QCOMPARE(m_errors, QStringList{u"Cannot open file \"%1/open.gmm\". No such file or directory"_s.arg(other.path())});
}

void TestGuideWindow::tickingSwitchesTheGuideOff_data()
{
    QTest::addColumn<bool>("keyPresent");
    QTest::addColumn<QString>("storedBefore"); // null: no value "Start"
    QTest::addColumn<bool>("failWrite");
    QTest::addColumn<QString>("storedAfter");  // null: no value "Start"
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("value 1") << true << u"1"_s << false << u"2"_s << QStringList();
    QTest::newRow("value of other text") << true << u"0"_s << false << u"2"_s << QStringList();
    QTest::newRow("value missing") << true << QString() << false << QString() << QStringList();
    QTest::newRow("key missing") << false << QString() << false << QString() << QStringList();
    QTest::newRow("store refuses the write")
        << true << u"1"_s << true << u"1"_s << QStringList{u"Cannot write the registry value \"Start\""_s};
}

void TestGuideWindow::tickingSwitchesTheGuideOff()
{
    QFETCH(bool, keyPresent);
    QFETCH(QString, storedBefore);
    QFETCH(bool, failWrite);
    QFETCH(QString, storedAfter);
    QFETCH(QStringList, errors);

    m_settings = FakeSettingsStore();
    if (keyPresent)
        m_settings.addKey(kKey);
    if (!storedBefore.isNull())
        m_settings.setValue(kKey, kValue, {storedBefore});
    m_settings.failWrite = failWrite;

    TForm4 window(m_settings, m_startFlag);
    window.show();
    auto *box = child<QCheckBox>(window, u"CheckBox1"_s);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(box->isChecked());

    QCOMPARE(m_startFlag, u"2"_s);
    QCOMPARE(m_settings.hasKey(kKey), keyPresent);
    const std::optional<FakeSettingsStore::Value> stored = m_settings.value(kKey, kValue);
    QCOMPARE(stored ? stored->text : QString(), storedAfter);
    QCOMPARE(m_errors, errors);
}

void TestGuideWindow::untickingNeverSwitchesItBackOn()
{
    TForm4 window(m_settings, m_startFlag);
    window.show();
    auto *box = child<QCheckBox>(window, u"CheckBox1"_s);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QCOMPARE(m_startFlag, u"2"_s);
    QCOMPARE(m_settings.value(kKey, kValue)->text, u"2"_s);
    QCOMPARE(m_settings.writeCount, 1);

    // The tick survives closing, and the flag stays off.
    QVERIFY(window.close());
    QTest::mouseClick(box, Qt::LeftButton);
    window.show();
    QVERIFY(box->isChecked());
    QCOMPARE(m_startFlag, u"2"_s);
}

void TestGuideWindow::controlsSitWhereTheWindowPlacesThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Image1") << u"Image1"_s << QRect(184, 59, 401, 405);
    QTest::newRow("Image2") << u"Image2"_s << QRect(24, 0, 265, 57);
    QTest::newRow("SpeedButton1") << u"SpeedButton1"_s << QRect(648, 417, 95, 32);
    QTest::newRow("CheckBox1") << u"CheckBox1"_s << QRect(606, 461, 137, 17);
    QTest::newRow("Memo1") << u"Memo1"_s << QRect(72, 80, 185, 89);
    QTest::newRow("Memo2") << u"Memo2"_s << QRect(72, 88, 185, 121);
    QTest::newRow("Memo3") << u"Memo3"_s << QRect(8, 80, 185, 305);
    QTest::newRow("Memo4") << u"Memo4"_s << QRect(8, 80, 170, 305);
}

void TestGuideWindow::controlsSitWhereTheWindowPlacesThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    TForm4 window(m_settings, m_startFlag);
    window.show();
    QWidget *control = child<QWidget>(window, name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void TestGuideWindow::instructionTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Memo1") << u"Memo1"_s << QStringList{u"Подключите USB "_s, u"кабель к прибору"_s};
    QTest::newRow("Memo2") << u"Memo2"_s
                           << QStringList{u"Нажмите кнопку"_s, u"\"РЕЖИМ\" для "_s, u"включения "_s, u"прибора."_s};
    QTest::newRow("Memo3") << u"Memo3"_s
                           << QStringList{u"В окне \"Как вы "_s, u"хотитете "_s, u"использовать "_s,
                                          u"данный диск?\""_s, u"виберите "_s, u"вариант \"С "_s,
                                          u"проигрывателем "_s, u"CD/DVD\""_s, u"и нажмите "_s, u"\"Далее\"."_s};
    QTest::newRow("Memo4") << u"Memo4"_s
                           << QStringList{u"Запустите "_s, u"программу "_s, u"\"ЛИРАС-Д7\""_s, u"В Меню \"Файл\" "_s,
                                          u"выберите "_s, u"пункт"_s, u"\"Открыть "_s, u"архив в "_s, u"приборе\""_s};
}

void TestGuideWindow::instructionTexts()
{
    QFETCH(QString, name);
    QFETCH(QStringList, lines);

    TForm4 window(m_settings, m_startFlag);
    auto *memo = child<QPlainTextEdit>(window, name);
    QCOMPARE(memo->toPlainText().split(u'\n'), lines);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->frameShape(), QFrame::NoFrame);
    QCOMPARE(memo->font().family(), u"Segoe UI"_s);
    QVERIFY(memo->font().italic());
    QCOMPARE(memo->font().pixelSize(), 21);
}

void TestGuideWindow::windowProperties()
{
    TForm4 window(m_settings, m_startFlag);
    window.show();
    QCOMPARE(window.size(), QSize(752, 486));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags().testFlag(Qt::Tool));
    QVERIFY(window.windowTitle().trimmed().isEmpty());
    QCOMPARE(window.font().pixelSize(), 11);
    const QImage drawn = window.grab().toImage();
    QCOMPARE(drawn.pixel(700, 10), qRgb(255, 255, 255));
    // Inside the chevron's point (3 px margin + 25 px into the glyph) it is black; around it
    // the glyph's transparent background lets the white window through.
    QCOMPARE(drawn.pixel(648 + 28, 417 + 16), qRgb(0, 0, 0));
    QCOMPARE(drawn.pixel(648 + 5, 417 + 5), qRgb(255, 255, 255));
    // The window is centred on its screen, give or take its frame.
    const QPoint offCentre = window.frameGeometry().center() - window.screen()->geometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 8, qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));

    // The logo is drawn unscaled from the top left of its area.
    auto *logo = child<QLabel>(window, u"Image2"_s);
    QCOMPARE(logo->pixmap().size(), QSize(262, 56));
    QVERIFY(!logo->hasScaledContents());
    QCOMPARE(logo->alignment(), Qt::AlignLeft | Qt::AlignTop);

    auto *box = child<QCheckBox>(window, u"CheckBox1"_s);
    QCOMPARE(box->text(), u"Больше не показывать"_s);
    QVERIFY(!box->isChecked());
    QCOMPARE(box->layoutDirection(), Qt::RightToLeft);

    // The check box comes first when the user tabs through the window.
    QWidget *first = window.nextInFocusChain();
    while (first != &window && first->focusPolicy() == Qt::NoFocus)
        first = first->nextInFocusChain();
    QCOMPARE(first, box);
}

QTEST_MAIN(TestGuideWindow)
#include "tst_guidewindow.moc"
