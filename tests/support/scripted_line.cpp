#include "support/scripted_line.h"

#include <QTimer>

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
    const Session session = opens < int(m_sessions.size()) ? m_sessions.at(opens) : Session{};
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

void ScriptedLine::schedule(const Step &step)
{
    const int generation = m_generation;
    QTimer::singleShot(step.atMs, this, [this, step, generation] {
        if (generation != m_generation || !m_open)
            return;
        if (step.kind == Step::Kind::HangUp) {
            m_lost = true;
            closePort();
        } else {
            m_buffer += step.bytes;
        }
    });
}

} // namespace velsnap::test
