#pragma once

#include <functional>
#include <memory>

namespace velsnap {

// Who asks the program to end.
enum class StopSource {
    // A command-line program. Linux: SIGINT, SIGTERM, SIGHUP (a dropped ssh
    // connection must not leave the port's lock file). Windows: the console's
    // Ctrl+C, Ctrl+Break, its close box, log-off and shutdown.
    Console,
    // The window at the end of the desktop session. Linux: SIGTERM, SIGHUP,
    // SIGINT. Windows: nothing; Qt reports the session's end to the window.
    Session,
};

// Turns the requests to end into one call from the event loop, so the
// program can end cleanly (close its port, drop a picture in progress) from
// wherever it waits. One at a time per process; make it after the
// application object.
class StopRequests {
public:
    StopRequests(StopSource source, std::function<void()> onStop);
    ~StopRequests();
    StopRequests(const StopRequests &) = delete;
    StopRequests &operator=(const StopRequests &) = delete;

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace velsnap
