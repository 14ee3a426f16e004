#pragma once

#include <QProcess>
#include <QString>

namespace velsnap::test {

// A private X server on a display number it picks itself.
class XServer {
public:
    ~XServer() { stop(); }
    bool start();
    void stop();
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Runs a command-line tool to its end and returns what it printed, trimmed.
QString runTool(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment);

// The first visible window whose name matches `name`, waiting for it.
QString findWindow(const QString &name, const QProcessEnvironment &environment);

// Focuses the window and presses `keys` (xdotool's names, e.g. "alt+x") as
// real keystrokes.
void pressKeys(const QString &window, const QString &keys, const QProcessEnvironment &environment);

} // namespace velsnap::test
