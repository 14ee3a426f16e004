#include "platform/port_search.h"

#include "serial/stable_links.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace velsnap {

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
