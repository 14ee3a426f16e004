#pragma once

#include <functional>

namespace velsnap {

// Calls `onWake` on the thread that made it, soon after any thread called
// wake(), waking that thread's event loop wherever it waits. A message to a
// window of our own does this; under Wine, Qt's own posting from another
// thread does not wake a waiting processEvents().
class ThreadWake {
public:
    explicit ThreadWake(std::function<void()> onWake);
    ~ThreadWake();
    ThreadWake(const ThreadWake &) = delete;
    ThreadWake &operator=(const ThreadWake &) = delete;

    void wake() const;

private:
    std::function<void()> m_onWake;
    void *m_window = nullptr;
};

} // namespace velsnap
