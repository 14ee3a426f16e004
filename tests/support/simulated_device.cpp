#include "support/simulated_device.h"

#include <QDir>

namespace velsnap::test {

QString binFolder()
{
    return QStringLiteral(VELSNAP_BIN_DIR);
}

SimulatedDevice::~SimulatedDevice()
{
    stop();
}

QString SimulatedDevice::start(const QStringList &arguments, const QString &logFile)
{
    m_process.setProgram(QDir(binFolder()).filePath(QStringLiteral("velsnap-device")));
    m_process.setArguments(arguments);
    if (!logFile.isEmpty())
        m_process.setStandardErrorFile(logFile);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return {};
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000))
            return {};
    }
    return QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

void SimulatedDevice::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

} // namespace velsnap::test
