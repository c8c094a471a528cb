#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <optional>

// Small GIF files written byte by byte for the tests, so that every stored delay, loop
// count and transparent index is exactly what the test says.
namespace giffixture {

struct Frame
{
    QList<quint8> pixels; // colour indices, row by row
    int delayUnits = 0;
    int transparentIndex = -1; // -1: no transparent colour
    int widthPx = 0;           // 0: the screen's width, and so for the height
    int heightPx = 0;
};

// A GIF89a of width × height (each frame at the top left corner) with a four-colour global table, a looping extension when
// loopCount is given, and one graphic control extension before each image.
QByteArray gif(int width, int height, const QList<QRgb> &palette, const QList<Frame> &frames,
               std::optional<int> loopCount);

// A gif() of 2 × 2 frames, each filled with one palette colour, frame i with delays[i].
QByteArray solidFrames(const QList<QRgb> &palette, const QList<int> &delays, std::optional<int> loopCount);

} // namespace giffixture
