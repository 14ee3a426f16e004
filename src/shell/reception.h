#pragma once

#include "shell/reception_widgets.h"

#include <QString>
#include <functional>

namespace velsnap {

class Dialogs;
class SerialLine;
class SettingsStore;
struct ProgramFolders;

// The start/stop loop and the reception run: port open, acknowledgement,
// header check, 16 converted blocks, picture file, display, clipboard.
// Runs on the UI thread; every wait handles window events, so the stop and
// exit buttons work from inside a run.
class Reception {
public:
    struct Services {
        SerialLine &MSComm1;
        SettingsStore &settings;
        Dialogs &dialogs;
        const ProgramFolders &folders;
        std::function<void(const QString &fileName)> add_thumbnail;
    };

    Reception(Services services, ReceptionWidgets widgets);

    // Closes the port, shows the idle state, then (port != -1) opens `port`
    // and shows the open state. False, with a message where one applies,
    // when the port cannot be opened.
    bool set_port_state(int port);
    void cmd_receive_Click();
    void receive_image();

    bool receiving() const { return flag_receive_image; }

private:
    enum class Wait { Ready, Cancelled, LineLost };
    Wait waitForBytes(qint64 count);
    void resetReportLabels();
    void cancelRun();
    void abandonRun(Wait why);
    void failRun(const QString &message);
    void finishRun(const QString &fileName);

    Services m_services;
    ReceptionWidgets w;
    bool glb_cancel = false;
    bool flag_receive_image = false;
    bool m_looping = false;
};

} // namespace velsnap
