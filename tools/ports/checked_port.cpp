#include "checked_port.h"

#include "serial/port_mapping.h"
#include "serial/port_settings.h"
#include "settings/stored_port.h"

#include <QRegularExpression>

namespace velsnap {

std::optional<CheckedPort> checkedPort(const QStringList &arguments, const SettingsStore &settings)
{
    const QString named = arguments.join(u' ').trimmed();
    static const QRegularExpression comNumber(QStringLiteral("^(?:COM\\s*)?(\\d+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comNumber.match(named);
    const int port = named.isEmpty() ? storedPortNumber(settings) : match.hasMatch() ? match.captured(1).toInt() : 0;
    if (match.hasMatch() && (port < 1 || port > kPortCount))
        return std::nullopt;
    const QString device = port > 0 ? currentDeviceForPort(port, settings) : named;
    if (device.isEmpty())
        return std::nullopt;
    return CheckedPort{port, device};
}

} // namespace velsnap
