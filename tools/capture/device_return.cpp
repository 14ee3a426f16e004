#include "device_return.h"

#include "serial/event_wait.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace velsnap {

namespace {

// The folder to watch: the path's own folder, or the nearest parent left of
// it (/dev/serial/by-id goes when the last adapter is unplugged).
QString nearestFolder(const QString &path)
{
    QFileInfo folder(QFileInfo(path).absolutePath());
    while (!folder.isDir() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    return folder.absoluteFilePath();
}

} // namespace

bool waitForDevice(const QString &path, const std::function<bool()> &stopped)
{
    // exists() follows links: a by-id name that leads nowhere is no device.
    const auto present = [&path] { return QFileInfo::exists(path); };
    QFileSystemWatcher watcher;
    const auto watchNearest = [&] {
        if (!watcher.directories().isEmpty())
            watcher.removePaths(watcher.directories());
        watcher.addPath(nearestFolder(path));
        // A link of one's own to /dev/ttyUSB0 stays while its device goes and comes.
        if (const QFileInfo link(path); link.isSymLink())
            watcher.addPath(nearestFolder(link.symLinkTarget()));
    };
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &watcher, watchNearest);
    watchNearest();
    return waitWithEvents(present, stopped);
}

} // namespace velsnap
