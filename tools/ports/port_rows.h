#pragma once

#include "serial/port_mapping.h"

#include <QString>
#include <vector>

namespace velsnap {

// What one COM number means now, as the user is shown it.
struct PortRow {
    int port = 0;
    PortAssignment assignment;
    bool exists = false;
    bool serial = false; // a terminal device, as far as one can tell without opening it
    bool mayOpen = false;
    QString group;  // the group that owns the device
    FoundPort info; // the found port behind the device; empty fields when none
};

std::vector<PortRow> portRows(const PortMapping &mapping, const std::vector<FoundPort> &found);

QString sourceText(PortSource source);
QString stateText(const PortRow &row);
// One line of `velsnap-ports --list`: "COM n", the device, then the rest, tab-separated.
QString listLine(const PortRow &row);

} // namespace velsnap
