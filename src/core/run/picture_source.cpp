#include "run/picture_source.h"

#include "texts.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace velsnap {

QString pictureSourceOf(const QString &devicePath)
{
    const QString real = QFileInfo(devicePath).canonicalFilePath(); // a /dev/serial/by-id link names its adapter
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
        if (port.systemLocation() != devicePath && port.systemLocation() != real)
            continue;
        QStringList known;
        if (!port.description().isEmpty())
            known << port.description();
        if (!port.serialNumber().isEmpty())
            known << texts::kSourceSerialNumber.arg(port.serialNumber());
        if (!known.isEmpty())
            return texts::kSourceWithAdapter.arg(devicePath, known.join(texts::kSourceSeparator));
    }
    return devicePath;
}

} // namespace velsnap
