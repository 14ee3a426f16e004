#pragma once

#include "serial/system_view.h"

#include <QString>
#include <optional>
#include <vector>

namespace velsnap {

// One thing the doctor found about a port: a fault (with its cure in the
// text) or a plain fact.
struct PortFinding {
    bool problem = false;
    QString text;
};

// A USB serial adapter as /sys tells it.
struct UsbAdapter {
    QString driver; // cp210x, ch341, ftdi_sio, cdc_acm
    QString vendorId;
    QString productId;
    QString serialNumber;
    QString byIdPath; // the /dev/serial/by-id name that leads to it; empty when none
};

// Facts of the system around a device, read through `view`.
std::optional<UsbAdapter> usbAdapterOf(const QString &realDevice, const SystemView &view);
// The processes (but `selfPid`) that have `realDevice` open: "name（プロセス番号 pid）".
QStringList processesHolding(const QString &realDevice, qint64 selfPid, const SystemView &view);
bool processRunning(const QString &name, const SystemView &view);
// Whether the udev database tags the device to be left alone by ModemManager.
bool modemManagerIgnores(const QString &realDevice, const SystemView &view);
// Whether brltty's udev rules name this vendor and product.
bool brlttyClaims(const UsbAdapter &adapter, const SystemView &view);

// The checks that read only `view`: who holds the device, brltty,
// ModemManager, and what the adapter is. `realDevice` is the device's
// real name; empty when it is missing.
std::vector<PortFinding> examineSurroundings(const QString &realDevice, qint64 selfPid, const SystemView &view);

} // namespace velsnap
