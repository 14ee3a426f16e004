#include "support/read_only_folder.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace velsnap::test {

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return program + QStringLiteral(" did not finish");
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAll()).trimmed() + QStringLiteral(" (%1 failed)").arg(program);
    return {};
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    if (::geteuid() == 0) {
        m_failure = run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("bind,ro"), folder, folder});
        m_mounted = m_failure.isEmpty();
    } else if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)) {
        m_failure = QStringLiteral("cannot change the mode of ") + folder;
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {m_folder});
    else
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace velsnap::test
