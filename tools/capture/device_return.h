#pragma once

#include <QString>
#include <functional>

namespace velsnap {

// Sleeps in the event loop until `path` (a device, or a link to one such as
// a /dev/serial/by-id name) exists, or `stopped` holds. It is woken by
// changes in the nearest folder of the path that exists, so a replugged
// adapter is seen at once and nothing runs meanwhile. True when the device
// is there.
bool waitForDevice(const QString &path, const std::function<bool()> &stopped);

} // namespace velsnap
