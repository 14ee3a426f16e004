#pragma once

#include <QSocketNotifier>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace velsnap {

// Turns the given signals into a call from the event loop, so a program can
// end cleanly (close its port, drop a picture in progress) from wherever it
// waits. One at a time per process; the signals get their defaults back when
// it goes.
class SignalNotifier {
public:
    SignalNotifier(std::initializer_list<int> signalNumbers, std::function<void(int signalNumber)> onSignal);
    ~SignalNotifier();
    SignalNotifier(const SignalNotifier &) = delete;
    SignalNotifier &operator=(const SignalNotifier &) = delete;

private:
    std::vector<int> m_signals;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace velsnap
