#include "support/scripted_line.h"

#include <algorithm>

namespace velsnap::test {

ScriptedLine::Session &ScriptedLine::Session::arrive(const QByteArray &bytes, int atMs)
{
    steps.push_back({Step::Kind::Bytes, bytes, atMs, false});
    return *this;
}

ScriptedLine::Session &ScriptedLine::Session::arriveAfterAck(const QByteArray &bytes, int atMs)
{
    steps.push_back({Step::Kind::Bytes, bytes, atMs, true});
    return *this;
}

ScriptedLine::Session &ScriptedLine::Session::hangUp(int atMs)
{
    steps.push_back({Step::Kind::HangUp, {}, atMs, false});
    return *this;
}

ScriptedLine::Session &ScriptedLine::Session::hangUpAfterAck(int atMs)
{
    steps.push_back({Step::Kind::HangUp, {}, atMs, true});
    return *this;
}

ScriptedLine::Session &ScriptedLine::session()
{
    return m_sessions.emplace_back();
}

OpenResult ScriptedLine::openPort()
{
    const Session session = opens < int(m_sessions.size()) ? m_sessions.at(opens) : later;
    ++opens;
    m_reason = session.openFailureReason;
    if (session.open != OpenResult::Opened)
        return session.open;
    m_open = true;
    m_lost = false;
    m_buffer.clear();
    m_afterAck.clear();
    ++m_generation;
    for (const Step &step : session.steps) {
        if (step.afterAck)
            m_afterAck.push_back(step);
        else
            schedule(step);
    }
    return OpenResult::Opened;
}

void ScriptedLine::closePort()
{
    m_open = false;
    m_buffer.clear();
    ++m_generation;
}

QByteArray ScriptedLine::input()
{
    const QByteArray taken = m_buffer.left(m_inputLen);
    m_buffer.remove(0, taken.size());
    return taken;
}

void ScriptedLine::output(const QByteArray &bytes)
{
    written += bytes;
    for (const Step &step : std::exchange(m_afterAck, {}))
        schedule(step);
}

ScriptedLine::ScriptedLine()
{
    m_clock.start();
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &ScriptedLine::playNext);
}

void ScriptedLine::schedule(const Step &step)
{
    const Pending pending{m_clock.elapsed() + step.atMs, step, m_generation};
    const auto later = std::upper_bound(m_pending.begin(), m_pending.end(), pending.dueMs,
                                        [](qint64 due, const Pending &other) { return due < other.dueMs; });
    m_pending.insert(later, pending);
    armNext();
}

void ScriptedLine::armNext()
{
    if (m_pending.empty())
        return;
    int wait = int(std::max<qint64>(0, m_pending.front().dueMs - m_clock.elapsed()));
#ifdef Q_OS_WIN
    // A timer of 1 to 20 ms is a multimedia timer there, which under Wine
    // never wakes a waiting event loop; 21 ms is a message timer, which does.
    if (wait > 0 && wait <= 20)
        wait = 21;
#endif
    m_next.start(wait);
}

void ScriptedLine::playNext()
{
    const Pending next = m_pending.front();
    m_pending.erase(m_pending.begin());
    if (next.generation == m_generation && m_open) {
        if (next.step.kind == Step::Kind::HangUp) {
            m_lost = true;
            closePort();
        } else {
            m_buffer += next.step.bytes;
        }
    }
    armNext();
}

} // namespace velsnap::test
