// velsnap-capture's command line, any words: it is refused with a reason,
// answered with text, or gives options inside their ranges.
//
// The input is the arguments, separated by NUL bytes.
#include "capture_options.h"
#include "fuzz_support.h"
#include "picture/enlarged_picture.h"
#include "serial/port_mapping.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const ParsedCommandLine parsed = parseCaptureCommandLine(fuzz::commandLine("velsnap-capture", bytes, size));
    if (!parsed.error.isEmpty() || !parsed.earlyText.isEmpty())
        return 0;
    const CaptureOptions &options = parsed.options;
    fuzz::require(!options.port || (*options.port >= 1 && *options.port <= kPortCount), "a port beyond the list");
    fuzz::require(!(options.port && !options.device.isEmpty()), "both a port and a device");
    fuzz::require(options.count >= 0 && options.timeoutMs >= 0, "a negative count or time limit");
    fuzz::require(options.scale >= 1 && options.scale <= kLargestScale, "a scale beyond the range");
    return 0;
}
