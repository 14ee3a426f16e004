#include "serial/port_doctor.h"

#include "texts.h"

#include <QFileInfo>
#include <algorithm>

namespace velsnap {

namespace {

QString kernelName(const QString &realDevice)
{
    return QFileInfo(realDevice).fileName();
}

QString trimmedText(const SystemView &view, const QString &path)
{
    return view.text(path).trimmed();
}

QString udevRuleFor(const QString &realDevice, const std::optional<UsbAdapter> &adapter)
{
    const QString match = adapter ? QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\"")
                                        .arg(adapter->vendorId, adapter->productId)
                                  : QStringLiteral("KERNEL==\"%1\"").arg(kernelName(realDevice));
    return QStringLiteral("ACTION==\"add|change\", SUBSYSTEM==\"tty\", %1, ENV{ID_MM_DEVICE_IGNORE}=\"1\"").arg(match);
}

} // namespace

std::optional<UsbAdapter> usbAdapterOf(const QString &realDevice, const SystemView &view)
{
    const QString device = view.link(QStringLiteral("/sys/class/tty/%1/device").arg(kernelName(realDevice)));
    if (device.isEmpty())
        return std::nullopt;
    // The USB device is a few folders up: port (ttyUSB0), interface (1-1:1.0), device (1-1).
    QString usb = device;
    for (int up = 0; up < 4 && trimmedText(view, usb + QStringLiteral("/idVendor")).isEmpty(); ++up)
        usb = QFileInfo(usb).path();
    if (trimmedText(view, usb + QStringLiteral("/idVendor")).isEmpty())
        return std::nullopt;
    UsbAdapter adapter{QFileInfo(view.link(device + QStringLiteral("/driver"))).fileName(),
                       trimmedText(view, usb + QStringLiteral("/idVendor")),
                       trimmedText(view, usb + QStringLiteral("/idProduct")),
                       trimmedText(view, usb + QStringLiteral("/serial")),
                       {}};
    const QString byId = QStringLiteral("/dev/serial/by-id");
    for (const QString &name : view.entries(byId)) {
        if (QFileInfo(view.link(byId + u'/' + name)).absoluteFilePath() == realDevice) {
            adapter.byIdPath = byId + u'/' + name;
            break;
        }
    }
    return adapter;
}

QStringList processesHolding(const QString &realDevice, qint64 selfPid, const SystemView &view)
{
    QStringList holders;
    for (const QString &process : view.entries(QStringLiteral("/proc"))) {
        bool number = false;
        const qint64 pid = process.toLongLong(&number);
        if (!number || pid == selfPid)
            continue;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QString &fd : view.entries(fds)) {
            if (view.link(fds + u'/' + fd) == realDevice) {
                holders << QStringLiteral("%1（プロセス番号 %2）")
                               .arg(trimmedText(view, QStringLiteral("/proc/%1/comm").arg(pid)))
                               .arg(pid);
                break;
            }
        }
    }
    return holders;
}

bool processRunning(const QString &name, const SystemView &view)
{
    const QStringList processes = view.entries(QStringLiteral("/proc"));
    return std::any_of(processes.begin(), processes.end(), [&](const QString &pid) {
        return trimmedText(view, QStringLiteral("/proc/%1/comm").arg(pid)) == name;
    });
}

bool modemManagerIgnores(const QString &realDevice, const SystemView &view)
{
    const QString numbers = trimmedText(view, QStringLiteral("/sys/class/tty/%1/dev").arg(kernelName(realDevice)));
    const QStringList lines = view.text(QStringLiteral("/run/udev/data/c") + numbers).split(u'\n');
    return lines.contains(QStringLiteral("E:ID_MM_DEVICE_IGNORE=1"));
}

bool brlttyClaims(const UsbAdapter &adapter, const SystemView &view)
{
    // Its rules name adapters as ENV{PRODUCT}=="10c4/ea60/*" or by idVendor and idProduct on one line.
    for (const char *rules : {"/usr/lib/udev/rules.d", "/lib/udev/rules.d", "/etc/udev/rules.d"}) {
        const QString folder = QLatin1String(rules);
        for (const QString &name : view.entries(folder)) {
            if (!name.contains(QStringLiteral("brltty")))
                continue;
            const QStringList lines = view.text(folder + u'/' + name).split(u'\n');
            for (const QString &line : lines) {
                if (line.trimmed().startsWith(u'#'))
                    continue;
                if (line.contains(adapter.vendorId + u'/' + adapter.productId, Qt::CaseInsensitive) ||
                    (line.contains(QStringLiteral("\"%1\"").arg(adapter.vendorId), Qt::CaseInsensitive) &&
                     line.contains(QStringLiteral("\"%1\"").arg(adapter.productId), Qt::CaseInsensitive)))
                    return true;
            }
        }
    }
    return false;
}

std::vector<PortFinding> examineSurroundings(const QString &realDevice, qint64 selfPid, const SystemView &view)
{
    std::vector<PortFinding> findings;
    const std::optional<UsbAdapter> adapter = realDevice.isEmpty() ? std::nullopt : usbAdapterOf(realDevice, view);
    if (!realDevice.isEmpty()) {
        if (const QStringList holders = processesHolding(realDevice, selfPid, view); !holders.isEmpty())
            findings.push_back({true, texts::kDoctorHeld.arg(realDevice, holders.join(QStringLiteral("、")))});
    }
    if (processRunning(QStringLiteral("brltty"), view)) {
        if (!adapter)
            findings.push_back({realDevice.isEmpty(), texts::kDoctorBrlttyRunning});
        else if (brlttyClaims(*adapter, view))
            findings.push_back({true, texts::kDoctorBrltty.arg(adapter->vendorId, adapter->productId, realDevice)});
    }
    const bool udevDevice =
        !trimmedText(view, QStringLiteral("/sys/class/tty/%1/dev").arg(kernelName(realDevice))).isEmpty();
    if (udevDevice && processRunning(QStringLiteral("ModemManager"), view) && !modemManagerIgnores(realDevice, view))
        findings.push_back({true, texts::kDoctorModemManager.arg(realDevice, udevRuleFor(realDevice, adapter))});
    if (adapter) {
        findings.push_back(
            {false, texts::kDoctorAdapter.arg(adapter->driver, adapter->vendorId, adapter->productId,
                                              adapter->serialNumber.isEmpty() ? texts::kDoctorNoSerialNumber
                                                                              : adapter->serialNumber)});
        findings.push_back(
            {false, adapter->byIdPath.isEmpty() ? texts::kDoctorNoById : texts::kDoctorById.arg(adapter->byIdPath)});
    }
    return findings;
}

} // namespace velsnap
