#include "run/picture_source.h"

#include "platform/port_search.h"
#include "texts.h"

#include <QFileInfo>
#include <QStringList>

namespace velsnap {

QString pictureSourceOf(const QString &devicePath)
{
    const QString real = QFileInfo(devicePath).canonicalFilePath(); // a /dev/serial/by-id link names its adapter
    for (const FoundPort &port : findSerialPorts()) {
        if (port.systemPath != devicePath && port.systemPath != real && port.byIdPath != devicePath)
            continue;
        QStringList known;
        if (!port.description.isEmpty())
            known << port.description;
        if (!port.serialNumber.isEmpty())
            known << texts::kSourceSerialNumber.arg(port.serialNumber);
        if (!known.isEmpty())
            return texts::kSourceWithAdapter.arg(devicePath, known.join(texts::kSourceSeparator));
    }
    return devicePath;
}

} // namespace velsnap
