#pragma once

#include "shell/help_command.h"
#include "shell/main_window.h"
#include "support/fake_dialogs.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace velsnap::test {

class RecordingStarter : public ProgramStarter {
public:
    bool start(const QString &commandLine) override
    {
        commandLines << commandLine;
        return true;
    }
    QStringList commandLines;
};

// The real window, offscreen, in a program folder of its own that holds the
// header template; message boxes, program starts and the exit are recorded.
class WindowFixture {
public:
    // On `line`, or without one on the line to what the stored choices name.
    explicit WindowFixture(SerialLine *line = nullptr);

    FrmMain &window() { return *m_window; }
    QString programFolder() const { return m_folder.path(); }
    QString pictureFolder() const { return m_folder.filePath(QStringLiteral("bmp")); }
    QStringList pictureFiles() const;
    void storeSetting(const QString &section, const QString &key, const QString &value);

    // Presses start and lets runs go on until `until` holds or `timeoutMs`
    // pass, then presses stop if the loop still runs. True when `until` held.
    bool receiveUntil(const std::function<bool()> &until, int timeoutMs = 20000);
    // The text of a control, for short assertions.
    QString text(const char *name) const;

    FakeDialogs dialogs;
    RecordingStarter starter;
    int endRequests = 0;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<SerialLine> m_line;
    std::unique_ptr<FrmMain> m_window;
};

} // namespace velsnap::test
