#include "serial/device_manager_doctor.h"

#include "texts.h"

#include <QStringList>

namespace velsnap {

namespace {

// The USB serial chips that users meet, and where their drivers come from.
struct SerialChip {
    const char *usbId;
    const char *name;
    const QString &driver;
};

const SerialChip *chipOf(const PnpDevice &device)
{
    static const SerialChip chips[] = {
        {"VID_1A86&PID_7523", "CH340", texts::kDriverWch},       {"VID_1A86&PID_5523", "CH341", texts::kDriverWch},
        {"VID_067B&PID_2303", "PL2303", texts::kDriverProlific}, {"VID_10C4&PID_EA60", "CP210x", texts::kDriverSilabs},
        {"VID_0403&PID_6001", "FT232R", texts::kDriverFtdi},     {"VID_0403&PID_6015", "FT231X", texts::kDriverFtdi},
    };
    for (const SerialChip &chip : chips) {
        if (device.hardwareId.contains(QLatin1String(chip.usbId), Qt::CaseInsensitive))
            return &chip;
    }
    return nullptr;
}

QString nameOf(const PnpDevice &device)
{
    if (device.portName.isEmpty())
        return device.description;
    return device.description.isEmpty() ? device.portName
                                        : texts::kDoctorPortWithDescription.arg(device.portName, device.description);
}

PortFinding stateOf(const PnpDevice &device)
{
    const QString name = nameOf(device);
    const SerialChip *chip = chipOf(device);
    if (!device.present || device.problem == kPnpNotPlugged)
        return {true, texts::kDoctorPnpNotPlugged.arg(name)};
    switch (device.problem) {
    case 0:
        return {false, texts::kDoctorPnpWorking.arg(name)};
    case kPnpFailedStart:
        return {true, chip && QLatin1String(chip->name) == QLatin1String("PL2303")
                          ? texts::kDoctorPnpCounterfeitPl2303.arg(name)
                          : texts::kDoctorPnpFailedStart.arg(name)};
    case kPnpDisabled:
        return {true, texts::kDoctorPnpDisabled.arg(name)};
    case kPnpNoDriver:
        return {true, texts::kDoctorPnpNoDriver.arg(name, chip ? chip->driver : texts::kDriverMaker)};
    default:
        return {true, texts::kDoctorPnpProblem.arg(name).arg(device.problem)};
    }
}

} // namespace

std::vector<PortFinding> examineComPort(const QString &portName, const std::vector<PnpDevice> &devices)
{
    std::vector<PortFinding> findings;
    const PnpDevice *chosen = nullptr;
    QStringList present;
    for (const PnpDevice &device : devices) {
        if (device.portName.compare(portName, Qt::CaseInsensitive) == 0)
            chosen = &device;
        else if (!device.portName.isEmpty() && device.present)
            present << nameOf(device);
    }
    // A port Windows does not have: the failed open says so already.
    if (chosen)
        findings.push_back(stateOf(*chosen));
    if (!chosen || !chosen->present || chosen->problem != 0)
        findings.push_back({false, present.isEmpty()
                                       ? texts::kDoctorNoComPorts
                                       : texts::kDoctorComPorts.arg(present.join(texts::kSourceSeparator))});
    for (const PnpDevice &device : devices) {
        if (&device != chosen && chipOf(device) && device.present && device.problem != 0)
            findings.push_back(stateOf(device));
    }
    return findings;
}

} // namespace velsnap
