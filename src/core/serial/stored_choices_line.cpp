#include "serial/stored_choices_line.h"

#include "serial/port_settings.h"
#include "settings/stored_port.h"

namespace velsnap {

std::unique_ptr<DeviceSerialLine> lineOfStoredChoices()
{
    return std::make_unique<DeviceSerialLine>([](int port) { return currentDeviceForPort(port, SettingsStore()); },
                                              [] { return storedPortText(SettingsStore()); });
}

} // namespace velsnap
