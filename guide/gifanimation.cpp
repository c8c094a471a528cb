#include "guide/gifanimation.h"

#include "guide/gifstructure.h"
#include "platform/apperror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace giftiming {

int frameDelayMs(int storedUnits)
{
    const int units = storedUnits == 0 ? kZeroDelayUnits : storedUnits;
    return std::clamp(units, kMinimumDelayUnits, kMaximumDelayUnits) * kUnitMs;
}

int passCount(std::optional<int> loopCount)
{
    return loopCount.value_or(1);
}

} // namespace giftiming

namespace {

// The system's reason reads as a clause of our sentence, so its own closing stop goes.
QString withoutFinalStop(QString reason)
{
    reason = reason.trimmed();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

AppError cannotOpen(const QString &fullPath, const QFile &file)
{
    return AppError(u"Cannot open file \"%1\". %2"_s.arg(fullPath, withoutFinalStop(file.errorString())));
}

QImage onWhite(const QImage &frame)
{
    QImage composed(frame.size(), QImage::Format_RGB32);
    composed.fill(Qt::white);
    QPainter painter(&composed);
    painter.drawImage(0, 0, frame);
    return composed;
}

} // namespace

GifAnimation GifAnimation::fromFile(const QString &fileName)
{
    const QString fullPath = QDir::toNativeSeparators(QDir::current().absoluteFilePath(fileName));
    QFile file(fullPath);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(fullPath, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw cannotOpen(fullPath, file);
    return fromBytes(bytes);
}

GifAnimation GifAnimation::fromBytes(const QByteArray &bytes)
{
    const GifStructure structure = readGifStructure(bytes);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The format is named because the file's extension says nothing about its content.
    QImageReader reader(&buffer, "gif");
    reader.setAllocationLimit(int(kFrameBudgetBytes >> 20));
    GifAnimation animation;
    qsizetype framesBytes = 0;
    while (animation.m_frames.size() < structure.delayUnits.size()) {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        const qsizetype composedBytes = qsizetype(frame.width()) * frame.height() * 4; // RGB32
        if (framesBytes + composedBytes > kFrameBudgetBytes)
            break;
        framesBytes += composedBytes;
        animation.m_delaysMs.append(giftiming::frameDelayMs(structure.delayUnits.at(animation.m_frames.size())));
        animation.m_frames.append(onWhite(frame));
    }
    if (animation.m_frames.isEmpty())
        throw AppError(u"Cannot decode GIF image"_s);
    animation.m_passCount = giftiming::passCount(structure.loopCount);
    return animation;
}
