#include "serial/port_settings.h"

#include "platform/port_search.h"

#include <QRegularExpression>

namespace velsnap {

namespace {
QString portKey(int port)
{
    return QStringLiteral("COM%1").arg(port);
}
} // namespace

PortMapping readPortMapping(const SettingsStore &store)
{
    static const QRegularExpression comKey(QStringLiteral("^COM([1-9][0-9]{0,4})$"));
    PortMapping mapping;
    const QStringList keys = store.keys(kPortsSection);
    for (const QString &key : keys) {
        const QRegularExpressionMatch match = comKey.match(key);
        if (match.hasMatch())
            mapping[match.captured(1).toInt()] = store.read(kPortsSection, key, QString());
    }
    return mapping;
}

QString storePortChoice(SettingsStore &store, int port, const QString &device)
{
    if (!device.trimmed().isEmpty())
        return store.write(kPortsSection, portKey(port), device.trimmed());
    store.remove(kPortsSection, portKey(port));
    return {};
}

QString currentDeviceForPort(int port, const SettingsStore &store)
{
    return deviceForPort(port, readPortMapping(store), findSerialPorts());
}

} // namespace velsnap
