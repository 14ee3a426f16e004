#include "platform/port_search.h"

#include "platform/posix/stable_links.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace velsnap {

QHash<QString, QString> stableLinks(const QString &folder)
{
    QHash<QString, QString> links;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = entry.canonicalFilePath();
        // Two links to one device: keep the first by name, so the choice is stable.
        if (entry.isSymLink() && !target.isEmpty() && !links.contains(target))
            links.insert(target, entry.absoluteFilePath());
    }
    return links;
}

std::vector<FoundPort> findSerialPorts()
{
    const QHash<QString, QString> links = stableLinks(QStringLiteral("/dev/serial/by-id"));
    std::vector<FoundPort> found;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        FoundPort port;
        port.systemPath = info.systemLocation();
        port.byIdPath = links.value(QFileInfo(port.systemPath).canonicalFilePath());
        // USB and PCI adapters carry a vendor number; the machine's own UARTs do not.
        port.onBoard = !info.hasVendorIdentifier() && port.byIdPath.isEmpty();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        found.push_back(port);
    }
    return found;
}

PortAssignment systemPortFor(int port, const std::vector<FoundPort> &found)
{
    if (std::size_t(port) <= found.size())
        return {numberedPorts(found).at(std::size_t(port) - 1).preferredPath(), PortSource::Found};
    return {QStringLiteral("/dev/ttyS%1").arg(port - 1), PortSource::Fallback};
}

} // namespace velsnap
