#include "picture/pixel_conversion.h"

#include <QtGlobal>

namespace velsnap {

BlockOutcome convertBlock(const QByteArray &block, ConversionState &state, QByteArray &buffer,
                          ConversionObserver &observer)
{
    Q_ASSERT(block.size() == kBlockBytes && buffer.size() == kPictureBufferBytes);
    const auto *in = reinterpret_cast<const std::uint8_t *>(block.constData());
    auto *out = reinterpret_cast<std::uint8_t *>(buffer.data());

    for (int p = 0; p < kBlockBytes; p += 2) {
        if (observer.cancelled())
            return BlockOutcome::Cancelled;
        const Bgr colour = convertPixel(in[p], in[p + 1]);
        out[state.i] = colour.blue;
        out[state.i + 1] = colour.green;
        out[state.i + 2] = colour.red;
        int next = state.i + 3;
        if (observer.previewOn())
            observer.drawPoint(state.x, state.y, colour);
        if (++state.x == kPictureWidth) {
            state.x = 0;
            ++state.y;
            observer.rowsConverted(state.y * kBufferRowBytes);
            // From the end of this buffer row back to the start of the one above it.
            if (next > kBufferRowBytes)
                next -= 2 * kBufferRowBytes;
        }
        state.i = next;
    }
    return BlockOutcome::Converted;
}

} // namespace velsnap
