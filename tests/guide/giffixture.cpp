#include "giffixture.h"

namespace giffixture {

namespace {

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// LZW data for a two-bit colour table without any compression: a clear code before every
// pixel keeps the code width at three bits and the table empty, which every decoder reads.
QByteArray uncompressedLzw(const QList<quint8> &pixels)
{
    constexpr int clearCode = 4;
    constexpr int endCode = 5;
    constexpr int codeBits = 3;
    QList<int> codes;
    for (const quint8 pixel : pixels)
        codes << clearCode << pixel;
    codes << endCode;

    QByteArray packed;
    quint32 buffer = 0;
    int bits = 0;
    for (const int code : codes) {
        buffer |= quint32(code) << bits;
        bits += codeBits;
        while (bits >= 8) {
            packed.append(char(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        packed.append(char(buffer & 0xFF));

    QByteArray blocks;
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray part = packed.mid(at, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    blocks.append('\0');
    return blocks;
}

} // namespace

QByteArray gif(int width, int height, const QList<QRgb> &palette, const QList<Frame> &frames,
               std::optional<int> loopCount)
{
    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.append(char(0x80 | 0x10 | 0x01)); // global table of 4 colours
    out.append('\0');
    out.append('\0');
    for (int index = 0; index < 4; ++index) {
        const QRgb colour = palette.value(index, qRgb(0, 0, 0));
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (loopCount) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        putWord(out, *loopCount);
        out.append('\0');
    }
    for (const Frame &frame : frames) {
        const bool transparent = frame.transparentIndex >= 0;
        out.append("\x21\xF9\x04", 3);
        out.append(char((1 << 2) | (transparent ? 1 : 0))); // keep the frame, then draw the next
        putWord(out, frame.delayUnits);
        out.append(char(transparent ? frame.transparentIndex : 0));
        out.append('\0');
        out.append(',');
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, frame.widthPx > 0 ? frame.widthPx : width);
        putWord(out, frame.heightPx > 0 ? frame.heightPx : height);
        out.append('\0');
        out.append('\2'); // minimum code size
        out.append(uncompressedLzw(frame.pixels));
    }
    out.append(';');
    return out;
}

QByteArray solidFrames(const QList<QRgb> &palette, const QList<int> &delays, std::optional<int> loopCount)
{
    QList<Frame> frames;
    for (int index = 0; index < delays.size(); ++index) {
        const quint8 colour = quint8(index % 4);
        frames.append({{colour, colour, colour, colour}, delays.at(index)});
    }
    return gif(2, 2, palette, frames, loopCount);
}

} // namespace giffixture
