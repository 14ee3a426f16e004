#include "platform/stop_requests.h"

#include "platform/posix/signal_notifier.h"

#include <csignal>

namespace velsnap {

struct StopRequests::State {
    SignalNotifier notifier;
};

StopRequests::StopRequests(StopSource source, std::function<void()> onStop)
    : m_state(new State{{source == StopSource::Console ? std::initializer_list<int>{SIGINT, SIGTERM, SIGHUP}
                                                       : std::initializer_list<int>{SIGTERM, SIGHUP, SIGINT},
                         [onStop = std::move(onStop)](int) { onStop(); }}})
{}

StopRequests::~StopRequests() = default;

} // namespace velsnap
