#pragma once

#include "picture/picture_facts.h"
#include "picture/picture_file.h"
#include "serial/serial_line.h"

#include <QString>
#include <QTime>
#include <functional>

namespace velsnap {

class ReceptionFrontEnd;
struct ProgramFolders;

// How one reception run ended.
enum class RunOutcome {
    Saved,
    Stopped,       // cancelled from outside: stop button, exit, signal
    PortNotOpened, // see ReceptionRun::lastOpenResult()
    NotScreenCopy,
    LineLost,
    Silent, // the line went quiet in the middle of a picture
    NotWritten,
};

// The start/stop loop and the reception run: port open, acknowledgement,
// header check, 16 converted blocks, picture file, then the front end shows
// it. Runs on one thread; every wait handles that thread's events, so a stop
// (a click, a signal) is seen from inside a run.
class ReceptionRun {
public:
    enum class State { Idle, Waiting, Receiving, Writing };

    struct Services {
        SerialLine &MSComm1;
        ReceptionFrontEnd &frontEnd;
        const ProgramFolders &folders;   // template beside the program, pictures into image_path
        std::function<int()> chosenPort; // read afresh at the start of every run
        // The device behind a port, for the pictures' facts; empty: not known.
        std::function<QString(int port)> sourceOfPort;
    };

    explicit ReceptionRun(Services services);

    // Closes the port, shows the idle state, then (port != -1) opens `port`
    // and shows the open state. False, with a message where one applies,
    // when the port cannot be opened.
    bool set_port_state(int port);
    // Starts the loop of runs, or stops it when it runs.
    void cmd_receive_Click();
    RunOutcome receive_image();

    // Closes the port under a waiting run and raises the cancel flag.
    void cancel();
    // Clears the cancel flag, for a caller that runs receive_image itself.
    void rearm() { glb_cancel = false; }
    // A run that has heard nothing for this long in the middle of a picture
    // gives the picture up; 0 waits as long as it takes.
    void setSilenceLimit(int milliseconds) { m_silenceLimitMs = milliseconds; }
    void setPictureFormat(PictureFormat format) { m_format = format; }
    // Pictures are written this many times enlarged, pixel for pixel.
    void setPictureScale(int scale) { m_scale = scale; }

    State state() const { return m_state; }
    // flag_receive_image: from the acknowledgement until the run ends.
    bool receiving() const { return m_state == State::Receiving || m_state == State::Writing; }
    OpenResult lastOpenResult() const { return m_lastOpen; }

private:
    enum class Wait { Ready, Cancelled, LineLost, Silent };
    Wait waitForBytes(qint64 count);
    void resetReportLabels();
    RunOutcome cancelRun();
    RunOutcome abandonRun(Wait why);
    RunOutcome failRun(RunOutcome why, const QString &message);
    RunOutcome finishRun(const QString &path, const PictureFacts &facts);

    Services m_services;
    bool glb_cancel = false;
    bool m_looping = false;
    State m_state = State::Idle;
    OpenResult m_lastOpen = OpenResult::Opened;
    int m_silenceLimitMs = 0;
    PictureFormat m_format = PictureFormat::Bmp;
    int m_scale = 1;
    QString m_source; // of the port opened for this run
    QTime m_start;
};

} // namespace velsnap
