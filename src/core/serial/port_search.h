#pragma once

#include "serial/port_mapping.h"

#include <QHash>

namespace velsnap {

// The serial ports this machine has now, as Qt lists them (which leaves out
// /dev/ttyS entries with no UART behind them), each with its by-id name.
std::vector<FoundPort> findSerialPorts();

// The links in `folder` (normally /dev/serial/by-id): device they point to → link path.
QHash<QString, QString> stableLinks(const QString &folder);

} // namespace velsnap
