#include "port_rows.h"

#include "ports_texts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace velsnap {

namespace {

QString canonical(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

// The kernel files every terminal it lists under a "tty" class (ptys it does
// not list at all); opening a port to ask would toggle its modem lines.
bool terminalDevice(const struct stat &status)
{
    if (!S_ISCHR(status.st_mode))
        return false;
    const QString node = QStringLiteral("/sys/dev/char/%1:%2").arg(major(status.st_rdev)).arg(minor(status.st_rdev));
    const QString kind = QFileInfo(node).canonicalFilePath();
    return kind.isEmpty() || kind.contains(QStringLiteral("/tty/"));
}

void examine(PortRow &row)
{
    const QByteArray path = QFile::encodeName(row.assignment.device);
    struct stat status {};
    row.exists = ::stat(path.constData(), &status) == 0;
    if (!row.exists)
        return;
    row.serial = terminalDevice(status);
    row.mayOpen = ::access(path.constData(), R_OK | W_OK) == 0;
    const group *owner = ::getgrgid(status.st_gid);
    row.group = owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(status.st_gid);
}

} // namespace

std::vector<PortRow> portRows(const PortMapping &mapping, const std::vector<FoundPort> &found)
{
    std::vector<PortRow> rows;
    for (int port = 1; port <= kPortCount; ++port) {
        PortRow row;
        row.port = port;
        row.assignment = assignPort(port, mapping, found);
        examine(row);
        const QString device = canonical(row.assignment.device);
        for (const FoundPort &candidate : found) {
            if (canonical(candidate.systemPath) == device)
                row.info = candidate;
        }
        rows.push_back(row);
    }
    return rows;
}

QString sourceText(PortSource source)
{
    switch (source) {
    case PortSource::Mapped:
        return ports_texts::kSourceMapped;
    case PortSource::Found:
        return ports_texts::kSourceFound;
    case PortSource::Fallback:
        return ports_texts::kSourceFallback;
    case PortSource::None:
        break;
    }
    return QString();
}

QString stateText(const PortRow &row)
{
    if (!row.exists)
        return ports_texts::kStateMissing;
    if (!row.serial)
        return ports_texts::kStateNotSerial;
    if (!row.mayOpen)
        return ports_texts::kStateNotAllowed.arg(row.group);
    return ports_texts::kStateUsable;
}

QString listLine(const PortRow &row)
{
    const auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    return QStringList{QStringLiteral("COM %1").arg(row.port), row.assignment.device,
                       sourceText(row.assignment.source),      stateText(row),
                       orDash(row.info.description),           orDash(row.info.manufacturer),
                       orDash(row.info.serialNumber)}
        .join(u'\t');
}

} // namespace velsnap
