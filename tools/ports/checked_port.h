#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace velsnap {

class SettingsStore;

// What velsnap-ports --check is to examine.
struct CheckedPort {
    int port = 0; // COM n; 0: a device named directly
    QString device;
};

// The words after --check: "COM 3", "COM3", "3" or a device path; none:
// the port chosen in the window. Nothing when they name no port there is.
std::optional<CheckedPort> checkedPort(const QStringList &arguments, const SettingsStore &settings);

} // namespace velsnap
