// velsnap-device's command line, any words: it is refused with a reason,
// answered with text, or gives options inside their ranges, and every copy
// it would send is at most one screen.
//
// The input is the arguments, separated by NUL bytes.
#include "frame.h"
#include "fuzz_support.h"
#include "options.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const ParsedCommandLine parsed = parseOptions(fuzz::commandLine("velsnap-device", bytes, size));
    if (!parsed.error.isEmpty() || !parsed.earlyText.isEmpty())
        return 0;
    const Options &options = parsed.options;
    fuzz::require(options.count >= 0 && options.pause.count() >= 0 && options.afterOpen.count() >= 0,
                  "a negative count or time");
    fuzz::require(options.leftover <= 4000, "more bytes left over than allowed");
    for (int copy = 1; copy <= 100; ++copy) {
        (void)options.headerOf(copy);
        fuzz::require(options.pixelBytesOf(copy) <= kFrameBytes, "a copy longer than a screen");
    }
    return 0;
}
