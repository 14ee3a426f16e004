#include "platform/stop_requests.h"

#include "platform/windows/thread_wake.h"

#include <mutex>
#include <windows.h>

namespace velsnap {

struct StopRequests::State {
    std::function<void()> onStop;
    ThreadWake wake{[this] { onStop(); }}; // the console's events, on the thread that made it
};

namespace {

std::mutex g_mutex;
StopRequests::State *g_state = nullptr;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    {
        const std::lock_guard lock(g_mutex);
        if (!g_state)
            return FALSE;
        g_state->wake.wake();
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // After a close, log-off or shutdown the system ends the process as soon
    // as this returns; the program ends itself first, which ends this thread.
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

StopRequests::StopRequests(StopSource source, std::function<void()> onStop) : m_state(std::make_unique<State>())
{
    m_state->onStop = std::move(onStop);
    // The window hears of the session's end from Qt (SessionEnd).
    if (source != StopSource::Console)
        return;
    {
        const std::lock_guard lock(g_mutex);
        g_state = m_state.get();
    }
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopRequests::~StopRequests()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    const std::lock_guard lock(g_mutex);
    if (g_state == m_state.get())
        g_state = nullptr;
}

} // namespace velsnap
