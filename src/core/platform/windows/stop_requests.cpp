#include "platform/stop_requests.h"

#include "platform/windows/thread_wake.h"

#include <QGuiApplication>
#include <QObject>
#include <QSessionManager>
#include <mutex>
#include <windows.h>

namespace velsnap {

struct StopRequests::State {
    std::function<void()> onStop;
    ThreadWake wake{[this] { onStop(); }}; // the console's events, on the thread that made it
    QObject context;                       // of the session's end
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
    if (source == StopSource::Console) {
        {
            const std::lock_guard lock(g_mutex);
            g_state = m_state.get();
        }
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
        return;
    }
    // Qt turns WM_QUERYENDSESSION into a commit request.
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QObject::connect(application, &QGuiApplication::commitDataRequest, &m_state->context,
                         [state = m_state.get()](QSessionManager &) { state->onStop(); });
}

StopRequests::~StopRequests()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    const std::lock_guard lock(g_mutex);
    if (g_state == m_state.get())
        g_state = nullptr;
}

} // namespace velsnap
