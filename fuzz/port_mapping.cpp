// The settings file's "Ports" group, whatever it holds, and the ports this
// machine names: each COMn entry means its device, trimmed; a number beyond
// COM 1 to 8 means nothing; a device chosen is read back as it was stored;
// the found ports are numbered in one order however they are listed.
//
// The input: a chosen device (a count byte, then up to 64 bytes), the found
// ports (a count byte, up to 8, then for each two paths given alike and a
// byte whose bit 0 puts it on board), then the settings file itself.
#include "fuzz_support.h"
#include "platform/port_search.h"
#include "serial/port_settings.h"

#include <QDateTime>
#include <QDir>

using namespace velsnap;

namespace {

QString text(fuzz::Bytes &input, int longest)
{
    return QString::fromUtf8(input.take(input.byte() % (longest + 1)));
}

bool samePorts(const std::vector<FoundPort> &a, const std::vector<FoundPort> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FoundPort &x, const FoundPort &y) {
        return x.systemPath == y.systemPath && x.byIdPath == y.byIdPath && x.onBoard == y.onBoard;
    });
}

} // namespace

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    fuzz::Bytes input(bytes, size);
    const QString chosen = text(input, 64);
    std::vector<FoundPort> found(input.byte() % 9);
    for (FoundPort &port : found) {
        port.systemPath = QStringLiteral("/dev/") + text(input, 32); // a port found has a device
        port.byIdPath = text(input, 32);
        port.onBoard = input.byte() & 1;
    }

    SettingsStore store;
    QFile file(store.fileName());
    QDir().mkpath(QFileInfo(file).path());
    fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the settings file cannot be written");
    // Values in QSettings' own @-notation (@Variant, @ByteArray) are Qt's to
    // parse, and it allocates what they claim, gigabytes included: left out.
    file.write(input.rest().replace('@', ' '));
    // QSettings keeps files it has read until their time or size changes.
    static qint64 second = 0;
    file.setFileTime(QDateTime::fromSecsSinceEpoch(++second), QFileDevice::FileModificationTime);
    file.close();

    const PortMapping mapping = readPortMapping(store);
    for (int port = -1; port <= kPortCount + 1; ++port) {
        const PortAssignment assigned = assignPort(port, mapping, found);
        const bool listed = port >= 1 && port <= kPortCount;
        fuzz::require(listed != (assigned.source == PortSource::None), "a port beyond the list means a device");
        fuzz::require(!listed || !assigned.device.isEmpty(), "a port of the list means no device");
        if (assigned.source == PortSource::Mapped)
            fuzz::require(assigned.device == mapping.at(port).trimmed(), "a mapped port means another device");
    }
    const std::vector<FoundPort> numbered = numberedPorts(found);
    fuzz::require(samePorts(numberedPorts(numbered), numbered), "numbering the numbered ports moves them");
    std::vector<FoundPort> reversed(found.rbegin(), found.rend());
    fuzz::require(numberedPorts(reversed).size() == found.size(), "numbering loses ports");

    if (storePortChoice(store, 3, chosen).isEmpty())
        fuzz::require(readPortMapping(store)[3] == chosen.trimmed() || chosen.trimmed().isEmpty(),
                      "a chosen device reads back as another");
    return 0;
}
