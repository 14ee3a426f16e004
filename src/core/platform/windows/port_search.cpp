#include "platform/port_search.h"

#include "platform/windows/device_manager.h"

#include <QHash>
#include <algorithm>
#include <windows.h>
// initguid.h makes devguid.h define the GUID rather than name it.
#include <initguid.h>

#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

namespace velsnap {

namespace {

int comNumber(const QString &name)
{
    return name.mid(3).toInt();
}

QString registryText(HKEY key, const wchar_t *name)
{
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return QString::fromWCharArray(text);
}

QString deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA &device, DWORD property)
{
    wchar_t text[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, reinterpret_cast<BYTE *>(text),
                                           sizeof text - sizeof(wchar_t), nullptr))
        return {};
    return QString::fromWCharArray(text);
}

// What the device manager knows of each port: description, maker, serial number.
QHash<QString, FoundPort> describedPorts()
{
    QHash<QString, FoundPort> described;
    const HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return described;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        FoundPort port;
        port.systemPath = registryText(key, L"PortName");
        RegCloseKey(key);
        port.description = deviceProperty(devices, device, SPDRP_DEVICEDESC);
        port.manufacturer = deviceProperty(devices, device, SPDRP_MFG);
        wchar_t instance[512] = {};
        SetupDiGetDeviceInstanceIdW(devices, &device, instance, 511, nullptr);
        const QString instanceId = QString::fromWCharArray(instance);
        // USB\VID_0403&PID_6001\A1B2C3: the last part is the adapter's own
        // serial number unless Windows made it up (then it holds a '&').
        const QString last = instanceId.section(u'\\', -1);
        if (instanceId.startsWith(QStringLiteral("USB\\"), Qt::CaseInsensitive) && !last.contains(u'&'))
            port.serialNumber = last;
        port.onBoard = instanceId.startsWith(QStringLiteral("ACPI\\"), Qt::CaseInsensitive);
        if (!port.systemPath.isEmpty())
            described.insert(port.systemPath.toUpper(), port);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return described;
}

} // namespace

std::vector<PnpDevice> deviceManagerPorts()
{
    std::vector<PnpDevice> found;
    // Every device Windows knows, plugged in or not: an adapter without its
    // driver is in no class of ports, and an unplugged one keeps its COM number.
    const HDEVINFO devices = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
    if (devices == INVALID_HANDLE_VALUE)
        return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        PnpDevice pnp;
        pnp.hardwareId = deviceProperty(devices, device, SPDRP_HARDWAREID); // the first of the list
        const bool port = IsEqualGUID(device.ClassGuid, GUID_DEVCLASS_PORTS);
        if (!port && !pnp.hardwareId.startsWith(QStringLiteral("USB\\"), Qt::CaseInsensitive))
            continue;
        if (port) {
            const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
            if (key != INVALID_HANDLE_VALUE) {
                pnp.portName = registryText(key, L"PortName");
                RegCloseKey(key);
            }
        }
        pnp.description = deviceProperty(devices, device, SPDRP_DEVICEDESC);
        ULONG status = 0;
        ULONG problem = 0;
        const CONFIGRET result = CM_Get_DevNode_Status(&status, &problem, device.DevInst, 0);
        pnp.present = result != CR_NO_SUCH_DEVNODE;
        pnp.problem = result == CR_SUCCESS && (status & DN_HAS_PROBLEM) ? unsigned(problem) : 0;
        found.push_back(pnp);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

std::vector<FoundPort> findSerialPorts()
{
    std::vector<FoundPort> found;
    HKEY map = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) != ERROR_SUCCESS)
        return found;
    const QHash<QString, FoundPort> described = describedPorts();
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameSize = 255;
        if (RegEnumValueW(map, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const QString portName = registryText(map, name);
        if (portName.isEmpty())
            continue;
        FoundPort port = described.value(portName.toUpper());
        port.systemPath = portName;
        found.push_back(port);
    }
    RegCloseKey(map);
    std::sort(found.begin(), found.end(),
              [](const FoundPort &a, const FoundPort &b) { return comNumber(a.systemPath) < comNumber(b.systemPath); });
    return found;
}

PortAssignment systemPortFor(int port, const std::vector<FoundPort> &found)
{
    const QString name = QStringLiteral("COM%1").arg(port);
    const bool present = std::any_of(found.begin(), found.end(), [&](const FoundPort &candidate) {
        return candidate.systemPath.compare(name, Qt::CaseInsensitive) == 0;
    });
    return {name, present ? PortSource::Found : PortSource::Fallback};
}

} // namespace velsnap
