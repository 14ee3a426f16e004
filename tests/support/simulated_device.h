#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velsnap::test {

// The project's simulated handheld (velsnap-device) on a fresh pseudo-terminal.
class SimulatedDevice {
public:
    ~SimulatedDevice();
    // Starts the device with `arguments` and returns the path of its line,
    // or an empty text when it did not come up. With `logFile` its reports
    // go there instead of to log().
    QString start(const QStringList &arguments, const QString &logFile = {});
    void stop();
    // Everything the device has reported so far.
    QString log()
    {
        m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_log;
    }

private:
    QProcess m_process;
    QString m_log;
};

// Folder of the built program and its tools.
QString binFolder();

} // namespace velsnap::test
