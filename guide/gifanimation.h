#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

// The timing rules of the guide's animations, in one place.
namespace giftiming {
// Length of one stored delay unit on screen.
inline constexpr int kUnitMs = 12;
// A stored delay of 0 counts as this many units.
inline constexpr int kZeroDelayUnits = 10;
inline constexpr int kMinimumDelayUnits = 3;
inline constexpr int kMaximumDelayUnits = 1000;

// How long a frame with this stored delay stays on screen.
int frameDelayMs(int storedUnits);
// Passes to play for the looping extension's count: the count itself (0 meaning without
// end), and exactly one pass when the file has no such extension.
int passCount(std::optional<int> loopCount);
} // namespace giftiming

// A decoded GIF: every frame composed onto white (transparent pixels show the white
// window behind them), each frame's display time and the number of passes to play.
class GifAnimation
{
public:
    // The composed frames of one animation take at most this much memory, and no frame is
    // decoded that would take more alone: the guide's own animations take about 20 MiB, but
    // a file of a few hundred bytes can give every frame a screen of thousands of pixels
    // square. The frames past the budget are left out, as if the file ended before them.
    static constexpr qsizetype kFrameBudgetBytes = qsizetype(64) << 20;

    GifAnimation() = default;

    // Reads the file whole, by a name relative to the current directory. Throws AppError
    // "Cannot open file "<full path>". <reason>" when it cannot be read, "Invalid GIF
    // signature" when it is no GIF, and "Cannot decode GIF image" when no frame decodes.
    static GifAnimation fromFile(const QString &fileName);
    // The same from bytes already read; throws the last two errors above.
    static GifAnimation fromBytes(const QByteArray &bytes);

    const QList<QImage> &frames() const { return m_frames; }
    int frameDelayMs(int index) const { return m_delaysMs.at(index); }
    // 0 means without end.
    int passCount() const { return m_passCount; }

private:
    QList<QImage> m_frames;
    QList<int> m_delaysMs;
    int m_passCount = 1;
};
