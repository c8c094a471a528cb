#include "giffixture.h"

#include "guide/gifstructure.h"
#include "platform/apperror.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QList<QRgb> kPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

// A GIF with no global table whose blocks are given raw, for layouts the fixture writer
// does not make.
QByteArray rawGif(const char *version, const QByteArray &blocks)
{
    QByteArray out(version);
    out.append("\x01\x00\x01\x00\x00\x00\x00", 7);
    out.append(blocks);
    return out;
}

// One 1 × 1 image: descriptor, optional local table of 2 colours, one pixel of LZW data.
QByteArray rawImage(bool localTable)
{
    QByteArray image(",\x00\x00\x00\x00\x01\x00\x01\x00", 9);
    image.append(localTable ? '\x80' : '\x00');
    if (localTable)
        image.append("\xFF\x00\x00\x00\x00\xFF", 6);
    image.append("\x02\x02\x44\x01\x00", 5); // code size 2: clear, 0, end
    return image;
}

QByteArray controlExtension(int delayUnits)
{
    QByteArray block("\x21\xF9\x04\x00", 4);
    block.append(char(delayUnits & 0xFF));
    block.append(char(delayUnits >> 8));
    block.append("\x00\x00", 2);
    return block;
}

QByteArray sourceFile(const QString &relativePath)
{
    QFile file(qEnvironmentVariable("LIRAS_SOURCE_DIR") + u'/' + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture missing");
    return file.readAll();
}

} // namespace

class TestGifStructure : public QObject
{
    Q_OBJECT

private slots:
    void readsDelaysAndLoopCount_data();
    void readsDelaysAndLoopCount();
    void rejectsOtherSignatures_data();
    void rejectsOtherSignatures();
    void agreesWithTheImageReaderOnTheAssets_data();
    void agreesWithTheImageReaderOnTheAssets();
};

void TestGifStructure::readsDelaysAndLoopCount_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("delays");
    QTest::addColumn<std::optional<int>>("loopCount");

    using giffixture::solidFrames;
    QTest::newRow("three frames, twice") << solidFrames(kPalette, {0, 1, 2000}, 2) << QList<int>{0, 1, 2000}
                                         << std::optional<int>(2);
    QTest::newRow("loop without end") << solidFrames(kPalette, {5, 7}, 0) << QList<int>{5, 7} << std::optional<int>(0);
    QTest::newRow("no looping extension") << solidFrames(kPalette, {65535}, std::nullopt) << QList<int>{65535}
                                          << std::optional<int>();
    QTest::newRow("GIF87a without extensions") << rawGif("GIF87a", rawImage(false) + ';') << QList<int>{0}
                                               << std::optional<int>();
    QTest::newRow("control extension governs the next image only")
        << rawGif("GIF89a", controlExtension(7) + rawImage(false) + rawImage(false) + ';') << QList<int>{7, 0}
        << std::optional<int>();
    QTest::newRow("local colour table and comment")
        << rawGif("GIF89a", QByteArray("\x21\xFE\x03" "abc" "\x00", 7) + controlExtension(9) + rawImage(true) + ';')
        << QList<int>{9} << std::optional<int>();
    QTest::newRow("another application's extension")
        << rawGif("GIF89a", QByteArray("\x21\xFF\x0BXMP DataXMP\x03\x01\x05\x00\x00", 19) + rawImage(false) + ';')
        << QList<int>{0} << std::optional<int>();
    QTest::newRow("looping extension after the images")
        << rawGif("GIF89a", controlExtension(4) + rawImage(false)
                                + QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x03\x00\x00", 19) + ';')
        << QList<int>{4} << std::optional<int>(3);

    const QByteArray two = solidFrames(kPalette, {3, 4}, 1);
    QTest::newRow("cut inside the second image's data") << two.left(two.size() - 4) << QList<int>{3, 4}
                                                        << std::optional<int>(1);
    const qsizetype secondImage = two.lastIndexOf(',');
    QTest::newRow("cut inside the second image descriptor") << two.left(secondImage + 4) << QList<int>{3}
                                                            << std::optional<int>(1);
    QTest::newRow("cut inside the screen descriptor") << two.left(9) << QList<int>{} << std::optional<int>();
    QTest::newRow("no trailer") << two.left(two.size() - 1) << QList<int>{3, 4} << std::optional<int>(1);
}

void TestGifStructure::readsDelaysAndLoopCount()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, delays);
    QFETCH(std::optional<int>, loopCount);

    const GifStructure structure = readGifStructure(bytes);
    QCOMPARE(structure.delayUnits, delays);
    QCOMPARE(structure.loopCount, loopCount);
}

void TestGifStructure::rejectsOtherSignatures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);
    QTest::newRow("JPEG") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("signature cut short") << QByteArray("GIF8");
    QTest::newRow("unknown version") << rawGif("GIF90a", rawImage(false) + ';');
    QTest::newRow("lower case") << rawGif("gif89a", rawImage(false) + ';');
}

void TestGifStructure::rejectsOtherSignatures()
{
    QFETCH(QByteArray, bytes);
    try {
        readGifStructure(bytes);
        QFAIL("no error raised");
    } catch (const AppError &error) {
        QCOMPARE(error.userText(), u"Invalid GIF signature"_s);
    }
}

// The program's own animations are made by a different writer than the fixtures above,
// so they check the walker against the frames Qt's reader finds.
void TestGifStructure::agreesWithTheImageReaderOnTheAssets_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("delays");
    QTest::newRow("conn.gmm") << u"assets/guide/conn.gmm"_s << QList<int>{15, 15, 15, 15, 15, 120};
    QTest::newRow("power.gmm") << u"assets/guide/power.gmm"_s << QList<int>{40, 12, 12, 12, 25, 15, 150};
    QTest::newRow("open.gmm") << u"assets/guide/open.gmm"_s << QList<int>{12, 12, 12, 30, 40, 20, 200};
}

void TestGifStructure::agreesWithTheImageReaderOnTheAssets()
{
    QFETCH(QString, path);
    QFETCH(QList<int>, delays);

    const QByteArray bytes = sourceFile(path);
    const GifStructure structure = readGifStructure(bytes);
    QCOMPARE(structure.delayUnits, delays);
    QCOMPARE(structure.loopCount, std::optional<int>(0));

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.imageCount(), int(delays.size()));
}

QTEST_GUILESS_MAIN(TestGifStructure)
#include "tst_gifstructure.moc"
