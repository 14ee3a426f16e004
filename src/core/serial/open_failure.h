#pragma once

#include "serial/device_manager_doctor.h"
#include "serial/open_cause.h"

#include <QString>
#include <optional>
#include <vector>

namespace velsnap {

// Who has a port, as far as a lock file or the system tells.
struct PortHolder {
    qint64 pid = 0;
    QString program;     // empty when it cannot be told
    QString lockFile;    // empty when the holder was found among the open files
    bool running = true; // false: the lock file outlived its program
};

// Who may open a device, as its owner, group and mode say.
struct DeviceAccess {
    QString owner;
    QString group;
    int mode = 0;
    bool groupMayOpen = false;     // a group of its own (not root's) may read and write it
    bool joinedSinceLogin = false; // this user is in that group, but this login is not yet
};

// A program of the system known to take serial ports away.
enum class PortMeddler { None, Brltty, ModemManager };

// What the system can tell about a port that would not open: facts only;
// openFailureReason() words them.
struct OpenFailure {
    OpenCause cause = OpenCause::Unknown;
    QString device;                     // as the user chose it
    QString linkTarget;                 // where `device` leads when it is a link
    QString systemError;                // said only when nothing better is known
    std::optional<DeviceAccess> access; // NotAllowed, when the device could be looked at
    std::optional<PortHolder> holder;   // Held, when someone can be named
    PortMeddler meddler = PortMeddler::None;
    std::optional<std::vector<PnpDevice>> deviceManager; // what Windows' Device Manager lists
};

} // namespace velsnap
