// A lock file beside a port, whatever it holds: it names a process that
// kill() can ask after, or nobody.
#include "fuzz_support.h"
#include "platform/linux/port_holder.h"

#include <limits>

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("LCK..ttyUSB0"), bytes, size);
    const std::optional<PortHolder> holder = lockFileHolder(path);
    fuzz::require(!holder || (holder->pid > 0 && holder->pid <= std::numeric_limits<pid_t>::max()),
                  "a process number kill() reads as another");
    fuzz::require(!holder || holder->lockFile == path, "a holder without its lock file");
    return 0;
}
