#include "serial/port_device.h"

namespace velsnap {

QString portDeviceName(int port, const std::function<QString(const QString &comName)> &mapping)
{
    if (port < 1)
        return {};
    const QString comName = QStringLiteral("COM%1").arg(port);
#ifdef Q_OS_WIN
    Q_UNUSED(mapping);
    return comName;
#else
    const QString mapped = mapping(comName).trimmed();
    return mapped.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : mapped;
#endif
}

} // namespace velsnap
