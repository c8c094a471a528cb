#pragma once

#include <QByteArrayView>
#include <QList>

#include <optional>

// What the animation timing needs from a GIF file, read from its blocks directly: the
// stored delay of every frame (in the file's 1/100 s units, before any clamping) and the
// loop count of the looping application extension.
struct GifStructure
{
    QList<int> delayUnits;        // one entry per image descriptor, in file order
    std::optional<int> loopCount; // nullopt when the file has no looping extension
};

// Walks the blocks of a GIF87a or GIF89a file. Throws AppError "Invalid GIF signature"
// when the bytes do not start with either signature. A truncated or damaged file is not an
// error here: the walk stops at the damage and returns what it found before it.
GifStructure readGifStructure(QByteArrayView bytes);
