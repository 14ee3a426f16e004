#pragma once

#include <QPoint>
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

// A right-click with the real pointer at `at` of the window; true once the
// menu it opens is up.
bool openMenu(const QString &window, QPoint at, const QProcessEnvironment &environment);

// The clipboard's content as `type` (e.g. "image/png"), read by xclip.
QByteArray clipboardAs(const QString &type, const QProcessEnvironment &environment);

// Why tests on a private X server cannot run here; empty when they can.
QString missingXTools();

} // namespace velsnap::test
