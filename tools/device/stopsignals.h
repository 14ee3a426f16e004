#pragma once

#include <chrono>

namespace velsnap {

// SIGINT and SIGTERM arrive on a descriptor, so every wait in the tool can
// include it in poll() and end promptly.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    int fd() const { return m_fd; }
    // False when a stop signal came before the time was up.
    bool sleep(std::chrono::milliseconds duration) const;
    void waitForever() const;

private:
    int m_fd;
};

} // namespace velsnap
