#include "guide/gifstructure.h"

#include "platform/apperror.h"

using namespace Qt::StringLiterals;

namespace {

constexpr quint8 kExtensionIntroducer = 0x21;
constexpr quint8 kImageSeparator = 0x2C;
constexpr quint8 kGraphicControlLabel = 0xF9;
constexpr quint8 kApplicationLabel = 0xFF;
constexpr int kHeaderSize = 6;
constexpr int kScreenDescriptorSize = 7;
constexpr int kImageDescriptorSize = 9; // after the separator byte
constexpr quint8 kColorTableFlag = 0x80;

// A cursor that never reads past the end; every read says whether the bytes were there.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) { }

    bool byte(quint8 &out)
    {
        if (m_pos >= m_bytes.size())
            return false;
        out = quint8(m_bytes[m_pos++]);
        return true;
    }

    bool skip(qsizetype count)
    {
        if (count > m_bytes.size() - m_pos)
            return false;
        m_pos += count;
        return true;
    }

    QByteArrayView take(qsizetype count)
    {
        const QByteArrayView part = m_bytes.sliced(m_pos, std::min(count, m_bytes.size() - m_pos));
        m_pos += part.size();
        return part;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

quint16 littleEndian16(QByteArrayView twoBytes)
{
    return quint16(quint8(twoBytes[0]) | (quint8(twoBytes[1]) << 8));
}

bool skipColorTable(Reader &reader, quint8 packedFields)
{
    if (!(packedFields & kColorTableFlag))
        return true;
    return reader.skip(3 * (qsizetype(2) << (packedFields & 0x07)));
}

// Reads the data sub-blocks up to their zero terminator and hands each to onBlock with its
// index. False when the file ends first.
template<typename OnBlock>
bool readSubBlocks(Reader &reader, OnBlock &&onBlock)
{
    for (int index = 0;; ++index) {
        quint8 size = 0;
        if (!reader.byte(size))
            return false;
        if (size == 0)
            return true;
        const QByteArrayView block = reader.take(size);
        if (block.size() < size)
            return false;
        onBlock(index, block);
    }
}

} // namespace

GifStructure readGifStructure(QByteArrayView bytes)
{
    const QByteArrayView header = bytes.first(std::min<qsizetype>(kHeaderSize, bytes.size()));
    if (header != "GIF87a" && header != "GIF89a")
        throw AppError(u"Invalid GIF signature"_s);

    GifStructure result;
    Reader reader(bytes.sliced(kHeaderSize));
    const QByteArrayView screen = reader.take(kScreenDescriptorSize);
    if (screen.size() < kScreenDescriptorSize || !skipColorTable(reader, quint8(screen[4])))
        return result;

    // A graphic control extension governs only the next image.
    int pendingDelay = 0;
    quint8 introducer = 0;
    while (reader.byte(introducer)) {
        if (introducer == kImageSeparator) {
            const QByteArrayView descriptor = reader.take(kImageDescriptorSize);
            if (descriptor.size() < kImageDescriptorSize)
                return result;
            result.delayUnits.append(pendingDelay);
            pendingDelay = 0;
            quint8 minimumCodeSize = 0;
            if (!skipColorTable(reader, quint8(descriptor[8])) || !reader.byte(minimumCodeSize)
                || !readSubBlocks(reader, [](int, QByteArrayView) { }))
                return result;
        } else if (introducer == kExtensionIntroducer) {
            quint8 label = 0;
            if (!reader.byte(label))
                return result;
            bool isLooping = false;
            const bool complete = readSubBlocks(reader, [&](int index, QByteArrayView block) {
                if (label == kGraphicControlLabel && index == 0 && block.size() >= 3) {
                    pendingDelay = littleEndian16(block.sliced(1, 2));
                } else if (label == kApplicationLabel && index == 0) {
                    isLooping = block == "NETSCAPE2.0";
                } else if (isLooping && index == 1 && block.size() >= 3 && block[0] == 1) {
                    result.loopCount = littleEndian16(block.sliced(1, 2));
                }
            });
            if (!complete)
                return result;
        } else {
            // The trailer, or a byte no block starts with: either way nothing more to read.
            return result;
        }
    }
    return result;
}
