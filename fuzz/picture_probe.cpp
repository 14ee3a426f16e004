// Any file in the picture folder named *.bmp, read as the strip reads it:
// truncated, lying about its size, huge, compressed, of any depth, or no
// bitmap at all. A size from its header promises a picture that loads with
// that size.
#include "gallery/picture_probe.h"
#include "fuzz_support.h"

#include <QImage>

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("picture.bmp"), bytes, size);
    const std::optional<QSize> probed = pictureSize(path);
    if (probed) {
        const QImage picture(path);
        fuzz::require(!picture.isNull(), "a size for a file that does not load");
        fuzz::require(picture.size() == *probed, "the header's size is not the picture's");
    }
    return 0;
}
