// The guide's GIF handling on arbitrary bytes: the block walker, the timing rules on what it
// found, and the whole decode of an animation. Properties: only a missing signature is an
// error of the walker; every frame that decodes has a delay within the timing limits; an
// animation never has more frames than the walker counted image descriptors, nor more
// composed frames than its memory budget.
#include "fuzz/fuzzcheck.h"
#include "guide/gifanimation.h"
#include "guide/gifstructure.h"
#include "platform/apperror.h"

#include <cstdint>

namespace {

constexpr int minimumDelayMs = giftiming::kMinimumDelayUnits * giftiming::kUnitMs;
constexpr int maximumDelayMs = giftiming::kMaximumDelayUnits * giftiming::kUnitMs;

bool hasSignature(QByteArrayView bytes)
{
    return bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    GifStructure structure;
    try {
        structure = readGifStructure(bytes);
    } catch (const AppError &) {
        FUZZ_CHECK(!hasSignature(bytes));
        return 0;
    }
    FUZZ_CHECK(hasSignature(bytes));
    for (const int units : structure.delayUnits) {
        const int delayMs = giftiming::frameDelayMs(units);
        FUZZ_CHECK(delayMs >= minimumDelayMs && delayMs <= maximumDelayMs);
    }
    FUZZ_CHECK(giftiming::passCount(structure.loopCount) >= 0);

    try {
        const GifAnimation animation = GifAnimation::fromBytes(bytes);
        FUZZ_CHECK(!animation.frames().isEmpty());
        FUZZ_CHECK(animation.frames().size() <= structure.delayUnits.size());
        qsizetype framesBytes = 0;
        for (const QImage &frame : animation.frames())
            framesBytes += frame.sizeInBytes();
        FUZZ_CHECK(framesBytes <= GifAnimation::kFrameBudgetBytes);
        for (qsizetype i = 0; i < animation.frames().size(); ++i) {
            const int delayMs = animation.frameDelayMs(int(i));
            FUZZ_CHECK(delayMs >= minimumDelayMs && delayMs <= maximumDelayMs);
            FUZZ_CHECK(!animation.frames()[i].isNull());
        }
        FUZZ_CHECK(animation.passCount() == giftiming::passCount(structure.loopCount));
    } catch (const AppError &) {
        // No frame decodes: the guide says so instead of showing nothing.
    }
    return 0;
}
