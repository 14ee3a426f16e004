#include "port_rows.h"

#include "platform/device_state.h"
#include "ports_texts.h"

#include <QFileInfo>
#include <QStringList>

namespace velsnap {

namespace {

QString canonical(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

void examine(PortRow &row)
{
    const DeviceState state = deviceState(row.assignment.device);
    row.exists = state.exists;
    row.serial = state.serial;
    row.mayOpen = state.mayOpen;
    row.group = state.group;
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
