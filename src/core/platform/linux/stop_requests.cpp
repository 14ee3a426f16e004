#include "platform/stop_requests.h"

#include "platform/linux/signal_notifier.h"

#include <csignal>

namespace velsnap {

struct StopRequests::State {
    SignalNotifier notifier;
};

// A console program and the window at the session's end are asked alike.
StopRequests::StopRequests(StopSource, std::function<void()> onStop)
    : m_state(new State{{{SIGINT, SIGTERM, SIGHUP}, [onStop = std::move(onStop)](int) { onStop(); }}})
{}

StopRequests::~StopRequests() = default;

} // namespace velsnap
