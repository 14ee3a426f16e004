#include "support/x_session.h"

namespace velsnap::test {

bool XServer::start()
{
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000))
        return false;
    m_display = u':' + QString::fromLatin1(m_server.readLine()).trimmed();
    return true;
}

void XServer::stop()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    m_server.waitForFinished();
}

QString runTool(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(15000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString findWindow(const QString &name, const QProcessEnvironment &environment)
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), name},
                   environment)
        .section(u'\n', 0, 0);
}

void pressKeys(const QString &window, const QString &keys, const QProcessEnvironment &environment)
{
    // Without a window manager nobody gives the window the focus; keys sent
    // with --window are sometimes dropped, real keystrokes are not.
    runTool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}, environment);
    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}, environment);
}

} // namespace velsnap::test
