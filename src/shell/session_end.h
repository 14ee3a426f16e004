#pragma once

#include "platform/stop_requests.h"

#include <QObject>
#include <functional>

namespace velsnap {

// At logout or shutdown the desktop ends programs with SIGTERM or SIGHUP
// (a terminal with SIGINT), or closes their display connection; Windows
// tells the window that the session ends. While an object of this class lives:
// - each of those requests becomes an event of the window's thread, which calls
//   `endLikeTheCloseBox`, wherever the program waits (a reception run, a
//   message box, start-up);
// - when the display connection closes, the platform ends the process itself
//   (X11: exit(); Wayland: _exit() after its message), and `releasePort` runs
//   on the way out, so the port's lock file goes with the program.
// Make one only after the application object.
class SessionEnd {
public:
    SessionEnd(std::function<void()> endLikeTheCloseBox, std::function<void()> releasePort);
    ~SessionEnd();
    SessionEnd(const SessionEnd &) = delete;
    SessionEnd &operator=(const SessionEnd &) = delete;

private:
    StopRequests m_stops;
    QObject m_context; // of the connection to Qt's news of the session's end
};

} // namespace velsnap
