#include "support/x_session.h"

#include <QStandardPaths>
#include <QTest>
#include <algorithm>

namespace velsnap::test {

bool XServer::start()
{
    // The server picks a free display itself, and does not reset when a
    // short-lived client (xdotool) that came first disconnects.
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
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

bool openMenu(const QString &window, QPoint at, const QProcessEnvironment &environment)
{
    const QString program = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowpid"), window}, environment);
    const auto visibleWindows = [&] {
        return runTool(QStringLiteral("xdotool"),
                       {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), program},
                       environment)
            .split(u'\n');
    };
    // A tooltip of the resting pointer may be up already: the menu is a window that was not.
    const QStringList before = visibleWindows();
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), window,
             QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"), QStringLiteral("3")},
            environment);
    return QTest::qWaitFor(
        [&] {
            const QStringList now = visibleWindows();
            return std::any_of(now.begin(), now.end(), [&](const QString &id) { return !before.contains(id); });
        },
        10000);
}

QByteArray clipboardAs(const QString &type, const QProcessEnvironment &environment)
{
    QProcess xclip;
    xclip.setProcessEnvironment(environment);
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), type, QStringLiteral("-o")});
    xclip.waitForFinished(15000);
    return xclip.readAllStandardOutput();
}

QString missingXTools()
{
    for (const char *tool : {"Xvfb", "xdotool", "xclip"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("needs %1 (scripts/install-deps.sh installs it)").arg(QLatin1String(tool));
    }
    return {};
}

} // namespace velsnap::test
