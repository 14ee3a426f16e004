#include "port_check.h"

#include "platform/console_text.h"
#include "platform/port_examination.h"
#include "ports_texts.h"
#include "serial/port_mapping.h"
#include "serial/port_settings.h"
#include "settings/stored_port.h"

#include <QRegularExpression>

namespace velsnap {

using namespace ports_texts;

PortReport portReport(int port, const QString &device)
{
    PortReport report;
    QStringList lines{port > 0 ? kCheckHeading.arg(QStringLiteral("COM %1").arg(port), device) : device};
    for (const PortFinding &finding : examinePort(device)) {
        lines << (finding.problem ? kFindingProblem : kFindingFine).arg(finding.text);
        report.problems += finding.problem ? 1 : 0;
    }
    lines << (report.problems == 0 ? kNothingWrong : kProblemsFound.arg(report.problems));
    report.text = lines.join(u'\n') + u'\n';
    return report;
}

int checkFromCommandLine(const QStringList &arguments)
{
    const SettingsStore settings;
    // "COM 3", "COM3", "3" or a device path; nothing: the port chosen in the window.
    const QString named = arguments.join(u' ').trimmed();
    static const QRegularExpression comNumber(QStringLiteral("^(?:COM\\s*)?(\\d+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comNumber.match(named);
    int port = named.isEmpty() ? storedPortNumber(settings) : match.hasMatch() ? match.captured(1).toInt() : 0;
    const QString device = port > 0 ? currentDeviceForPort(port, settings) : named;
    if (device.isEmpty() || (match.hasMatch() && (port < 1 || port > kPortCount))) {
        writeText(stderr, kUnknownArguments.arg(named) + kUsage);
        return 2;
    }
    const PortReport report = portReport(port, device);
    writeText(stdout, report.text);
    return report.problems == 0 ? 0 : 1;
}

} // namespace velsnap
