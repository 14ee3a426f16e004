// The Device Manager's list as SetupAPI and the registry give it (port
// names, descriptions, hardware ids, problem codes), whatever it holds, and
// any COM port name: each finding says something.
//
// The input is records "port\0description\0hardware id\0problem\0present\0"
// and, first, the port to examine.
#include "fuzz_support.h"
#include "serial/device_manager_doctor.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QList<QByteArray> words = fuzz::words(bytes, size);
    std::vector<PnpDevice> devices;
    for (qsizetype i = 1; i + 4 < words.size(); i += 5) {
        devices.push_back({QString::fromUtf8(words[i]), QString::fromUtf8(words[i + 1]),
                           QString::fromUtf8(words[i + 2]), words[i + 3].toUInt(), words[i + 4] != "0"});
    }
    for (const PortFinding &finding : examineComPort(QString::fromUtf8(words.value(0)), devices))
        fuzz::require(!finding.text.trimmed().isEmpty(), "a finding that says nothing");
    return 0;
}
