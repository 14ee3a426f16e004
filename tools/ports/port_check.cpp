#include "port_check.h"

#include "checked_port.h"
#include "platform/console_text.h"
#include "platform/port_examination.h"
#include "ports_texts.h"
#include "settings/settings_store.h"

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
    const std::optional<CheckedPort> checked = checkedPort(arguments, SettingsStore());
    if (!checked) {
        writeText(stderr, kUnknownArguments.arg(arguments.join(u' ').trimmed()) + kUsage);
        return 2;
    }
    const PortReport report = portReport(checked->port, checked->device);
    writeText(stdout, report.text);
    return report.problems == 0 ? 0 : 1;
}

} // namespace velsnap
