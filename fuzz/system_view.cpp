// The port doctor's reading of /sys, /proc, the udev database and the udev
// rules, over a made-up system: whatever its files and links say, each
// finding says something, and an adapter found has its numbers.
//
// The input is records "path\0content\0"; a content that starts with "->"
// is where a link leads.
#include "fuzz_support.h"
#include "serial/port_doctor.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FakeSystemView view;
    const QList<QByteArray> records = fuzz::words(bytes, size);
    for (qsizetype i = 0; i + 1 < records.size(); i += 2) {
        const QString path = QString::fromUtf8(records[i]);
        if (records[i + 1].startsWith("->"))
            view.links[path] = QString::fromUtf8(records[i + 1].mid(2));
        else
            view.files[path] = QString::fromUtf8(records[i + 1]);
    }
    for (const QString &device : {QStringLiteral("/dev/ttyUSB0"), QString()}) {
        for (const PortFinding &finding : examineSurroundings(device, 1, view))
            fuzz::require(!finding.text.trimmed().isEmpty(), "a finding that says nothing");
    }
    if (const std::optional<UsbAdapter> adapter = usbAdapterOf(QStringLiteral("/dev/ttyUSB0"), view))
        fuzz::require(!adapter->vendorId.isEmpty(), "an adapter without its vendor");
    return 0;
}
