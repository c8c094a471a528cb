#include "giffixture.h"

#include "guide/gifanimation.h"
#include "guide/gifplayer.h"
#include "platform/apperror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QList<QRgb> kPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};

// Plays the bytes and advances until playing ends or maxSteps advances were made; returns
// the frame index of every frame that reached the screen, in order.
QList<int> framesShown(GifPlayer &player, const QByteArray &bytes, int maxSteps)
{
    QList<int> shown;
    QObject::connect(&player, &GifPlayer::frameChanged, &player, [&] { shown.append(player.frameIndex()); });
    player.play(GifAnimation::fromBytes(bytes));
    for (int step = 0; step < maxSteps && player.scheduledDelayMs() >= 0; ++step)
        player.advance();
    QObject::disconnect(&player, &GifPlayer::frameChanged, &player, nullptr);
    return shown;
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.userText();
    }
    return QString();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestGifPlayer : public QObject
{
    Q_OBJECT

private slots:
    void scheduledDelayFollowsTheStoredDelay_data();
    void scheduledDelayFollowsTheStoredDelay();
    void playsAsManyPassesAsTheLoopCount_data();
    void playsAsManyPassesAsTheLoopCount();
    void singleFrameStaysStill_data();
    void singleFrameStaysStill();
    void playingAgainRestartsAnEndedAnimation();
    void transparentPixelsShowWhite();
    void framesStayWithinTheMemoryBudget_data();
    void framesStayWithinTheMemoryBudget();
    void reportsFilesItCannotShow_data();
    void reportsFilesItCannotShow();
    void readsByNameFromTheCurrentDirectory();
};

void TestGifPlayer::scheduledDelayFollowsTheStoredDelay_data()
{
    QTest::addColumn<int>("storedUnits");
    QTest::addColumn<int>("delayMs");
    QTest::newRow("0 counts as 10 units") << 0 << 120;
    QTest::newRow("1 is raised to 3 units") << 1 << 36;
    QTest::newRow("3 is the shortest kept") << 3 << 36;
    QTest::newRow("5 units") << 5 << 60;
    QTest::newRow("1000 is the longest kept") << 1000 << 12000;
    QTest::newRow("2000 is lowered to 1000 units") << 2000 << 12000;
}

void TestGifPlayer::scheduledDelayFollowsTheStoredDelay()
{
    QFETCH(int, storedUnits);
    QFETCH(int, delayMs);

    // The neighbour frame has a different delay, so each frame must use its own.
    GifPlayer player;
    player.play(GifAnimation::fromBytes(giffixture::solidFrames(kPalette, {storedUnits, 20}, 0)));
    QCOMPARE(player.frameIndex(), 0);
    QCOMPARE(player.scheduledDelayMs(), delayMs);
    player.advance();
    QCOMPARE(player.scheduledDelayMs(), 240);
    player.advance();
    QCOMPARE(player.frameIndex(), 0);
    QCOMPARE(player.scheduledDelayMs(), delayMs);
}

void TestGifPlayer::playsAsManyPassesAsTheLoopCount_data()
{
    QTest::addColumn<std::optional<int>>("loopCount");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<bool>("stillPlaying");

    QList<int> endless;
    for (int shownCount = 0; shownCount <= 20; ++shownCount)
        endless.append(shownCount % 3);
    QTest::newRow("no looping extension: one pass") << std::optional<int>() << QList<int>{0, 1, 2} << false;
    QTest::newRow("loop count 1") << std::optional<int>(1) << QList<int>{0, 1, 2} << false;
    QTest::newRow("loop count 2") << std::optional<int>(2) << QList<int>{0, 1, 2, 0, 1, 2} << false;
    QTest::newRow("loop count 0: without end") << std::optional<int>(0) << endless << true;
}

void TestGifPlayer::playsAsManyPassesAsTheLoopCount()
{
    QFETCH(std::optional<int>, loopCount);
    QFETCH(QList<int>, shown);
    QFETCH(bool, stillPlaying);

    GifPlayer player;
    const QByteArray bytes = giffixture::solidFrames(kPalette, {5, 6, 7}, loopCount);
    QCOMPARE(framesShown(player, bytes, 20), shown);
    QCOMPARE(player.scheduledDelayMs() >= 0, stillPlaying);
    if (stillPlaying)
        return;
    // Ended: the last frame stays, and a stray tick changes nothing.
    QCOMPARE(player.frameIndex(), 2);
    QCOMPARE(player.currentFrame().pixel(0, 0), kPalette.at(2));
    player.advance();
    QCOMPARE(player.frameIndex(), 2);
    QCOMPARE(player.scheduledDelayMs(), -1);
}

void TestGifPlayer::singleFrameStaysStill_data()
{
    QTest::addColumn<std::optional<int>>("loopCount");
    QTest::newRow("no looping extension") << std::optional<int>();
    QTest::newRow("loop without end") << std::optional<int>(0);
}

void TestGifPlayer::singleFrameStaysStill()
{
    QFETCH(std::optional<int>, loopCount);

    GifPlayer player;
    const QList<int> shown = framesShown(player, giffixture::solidFrames(kPalette, {5}, loopCount), 5);
    QCOMPARE(shown, QList<int>{0});
    QCOMPARE(player.scheduledDelayMs(), -1);
    QCOMPARE(player.currentFrame().pixel(1, 1), kPalette.at(0));
}

void TestGifPlayer::playingAgainRestartsAnEndedAnimation()
{
    GifPlayer player;
    const QByteArray bytes = giffixture::solidFrames(kPalette, {5, 6}, std::nullopt);
    QCOMPARE(framesShown(player, bytes, 10), (QList<int>{0, 1}));
    QCOMPARE(framesShown(player, bytes, 10), (QList<int>{0, 1}));
}

void TestGifPlayer::transparentPixelsShowWhite()
{
    const QByteArray bytes = giffixture::gif(2, 2, kPalette, {{{0, 1, 2, 1}, 5, 1}}, std::nullopt);
    GifPlayer player;
    player.play(GifAnimation::fromBytes(bytes));
    const QImage frame = player.currentFrame();
    QCOMPARE(frame.pixel(0, 0), kPalette.at(0));
    QCOMPARE(frame.pixel(1, 0), qRgb(255, 255, 255));
    QCOMPARE(frame.pixel(0, 1), kPalette.at(2));
    QCOMPARE(frame.pixel(1, 1), qRgb(255, 255, 255));
}

void TestGifPlayer::framesStayWithinTheMemoryBudget_data()
{
    QTest::addColumn<int>("screenPx");   // width and height of the screen
    QTest::addColumn<int>("frameCount"); // single-pixel frames in the file
    QTest::addColumn<int>("kept");

    const qsizetype squareBytes = qsizetype(1000) * 1000 * 4;
    QTest::newRow("small screen: every frame") << 2 << 30 << 30;
    QTest::newRow("1000 px square: as many as fit")
            << 1000 << 30 << int(GifAnimation::kFrameBudgetBytes / squareBytes);
    QTest::newRow("one frame that fits alone") << 1000 << 1 << 1;
}

// A file of a few hundred bytes whose every frame is a screen of 4 MB when composed.
void TestGifPlayer::framesStayWithinTheMemoryBudget()
{
    QFETCH(int, screenPx);
    QFETCH(int, frameCount);
    QFETCH(int, kept);

    const giffixture::Frame pixel{{1}, 5, -1, 1, 1};
    const QByteArray bytes = giffixture::gif(screenPx, screenPx, kPalette,
                                             QList<giffixture::Frame>(frameCount, pixel), 0);
    QVERIFY(bytes.size() < 1000);
    const GifAnimation animation = GifAnimation::fromBytes(bytes);
    QCOMPARE(animation.frames().size(), kept);
    QCOMPARE(animation.frames().first().size(), QSize(screenPx, screenPx));
    QCOMPARE(animation.frames().first().pixel(0, 0), kPalette.at(1));
    QCOMPARE(animation.frameDelayMs(kept - 1), 60);
}

void TestGifPlayer::reportsFilesItCannotShow_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");    // %1 stands for the file's full path

    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        QVERIFY(writer.write(picture));
    }
    QTest::newRow("missing") << QByteArray() << u"Cannot open file \"%1\". No such file or directory"_s;
    QTest::newRow("PNG picture") << png << u"Invalid GIF signature"_s;
    QTest::newRow("text") << QByteArray("conn") << u"Invalid GIF signature"_s;
    const QByteArray gif = giffixture::solidFrames(kPalette, {5}, std::nullopt);
    const giffixture::Frame pixel{{1}, 5, -1, 1, 1};
    QTest::newRow("frame too large to hold") << giffixture::gif(5000, 5000, kPalette, {pixel}, 0)
                                             << u"Cannot decode GIF image"_s;
    QTest::newRow("GIF without image data") << gif.left(gif.indexOf(',')) + ';' << u"Cannot decode GIF image"_s;
}

void TestGifPlayer::reportsFilesItCannotShow()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(u"picture.gmm"_s);
    if (!content.isEmpty())
        writeFile(path, content);
    QCOMPARE(errorOf([&] { GifAnimation::fromFile(path); }), message.arg(path));
}

void TestGifPlayer::readsByNameFromTheCurrentDirectory()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QVERIFY(first.isValid() && second.isValid());
    writeFile(first.filePath(u"step.gmm"_s), giffixture::solidFrames(kPalette, {5}, std::nullopt));
    const QString previous = QDir::currentPath();

    QVERIFY(QDir::setCurrent(first.path()));
    const QString inFirst = errorOf([] { GifAnimation::fromFile(u"step.gmm"_s); });
    QVERIFY(QDir::setCurrent(second.path()));
    const QString inSecond = errorOf([] { GifAnimation::fromFile(u"step.gmm"_s); });
    QDir::setCurrent(previous);

    QCOMPARE(inFirst, QString());
    QCOMPARE(inSecond, u"Cannot open file \"%1\". No such file or directory"_s.arg(second.filePath(u"step.gmm"_s)));
}

QTEST_MAIN(TestGifPlayer)
#include "tst_gifplayer.moc"
