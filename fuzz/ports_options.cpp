// The words after velsnap-ports --check, any of them: they name COM 1 to 8
// and its device, or a device by its path, or nothing.
//
// The input is the words, separated by NUL bytes.
#include "checked_port.h"
#include "fuzz_support.h"
#include "serial/port_mapping.h"
#include "settings/settings_store.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    QStringList arguments = fuzz::commandLine("--check", bytes, size);
    arguments.removeFirst();
    const std::optional<CheckedPort> checked = checkedPort(arguments, SettingsStore());
    if (!checked)
        return 0;
    fuzz::require(checked->port >= 0 && checked->port <= kPortCount, "a port beyond the list");
    fuzz::require(!checked->device.isEmpty(), "a port without a device");
    fuzz::require(checked->port > 0 || checked->device == arguments.join(u' ').trimmed(),
                  "a device other than the one named");
    return 0;
}
