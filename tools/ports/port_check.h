#pragma once

#include <QString>
#include <QStringList>

namespace velsnap {

// The port doctor's findings as velsnap-ports shows them.
struct PortReport {
    QString text;
    int problems = 0;
};

// The report on `device`, headed by COM `port` (0: a device named directly).
PortReport portReport(int port, const QString &device);

// velsnap-ports --check [COM n | device]: prints the report; 0 when nothing
// is wrong, 1 when something is, 2 for arguments it cannot read.
int checkFromCommandLine(const QStringList &arguments);

} // namespace velsnap
