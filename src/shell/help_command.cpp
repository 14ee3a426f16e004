#include "shell/help_command.h"

#include <QDir>
#include <QProcess>

namespace velsnap {

QString helpCommandLine(const QString &app_path)
{
    return QStringLiteral("WINHELP.EXE ") + app_path + QLatin1String(kHelpFileName);
}

ProgramCommand resolveCommandLine(const QString &commandLine, const QString &programFolder)
{
    const qsizetype blank = commandLine.indexOf(u' ');
    const QString program = blank < 0 ? commandLine : commandLine.left(blank);
    const QStringList arguments = blank < 0 ? QStringList() : QStringList{commandLine.mid(blank + 1)};
    if (program.compare(QStringLiteral("WINHELP.EXE"), Qt::CaseInsensitive) == 0)
        return {QDir(programFolder).filePath(QStringLiteral("velsnap-help")), arguments};
    return {program, arguments};
}

bool ProcessStarter::start(const QString &commandLine)
{
    const ProgramCommand command = resolveCommandLine(commandLine, m_programFolder);
    return QProcess::startDetached(command.program, command.arguments);
}

} // namespace velsnap
