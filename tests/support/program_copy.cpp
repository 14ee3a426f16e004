#include "support/program_copy.h"

#include "platform/port_locks.h"
#include "support/simulated_device.h"

#include <QFile>

namespace velsnap::test {

ProgramCopy::ProgramCopy(const QString &line)
{
    for (const QString &name : {QStringLiteral("velsnap"), QStringLiteral("24bit.hed")})
        QFile::copy(binFolder() + u'/' + name, m_folder.filePath(name));
    QFile settings(m_config.filePath(QStringLiteral("Velmora.ini")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[Ports]\nCOM1=" + line.toLocal8Bit() + "\n[SNAP]\nView=1\n");
}

QProcessEnvironment ProgramCopy::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    return environment;
}

QString portLockFile(const QString &line)
{
    return lockFileCandidates(line).first(); // where Qt puts it
}

} // namespace velsnap::test
