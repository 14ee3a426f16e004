#pragma once

#include "serial/serial_line.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

namespace velsnap::test {

// A serial line that plays a script instead of a device: each open of the
// port plays the next session, whose bytes arrive at given moments after the
// open, or once the acknowledgement has been written; a session can hang up.
// Arrivals come one at a time, in order, from one timer, so the run's waits
// wake as for real data.
class ScriptedLine : public QObject, public SerialLine {
public:
    struct Step {
        enum class Kind { Bytes, HangUp } kind = Kind::Bytes;
        QByteArray bytes;
        int atMs = 0; // after the open, or after the acknowledgement
        bool afterAck = false;
    };
    struct Session {
        OpenResult open = OpenResult::Opened;
        QString openFailureReason;
        std::vector<Step> steps;

        Session &arrive(const QByteArray &bytes, int atMs = 0);
        Session &arriveAfterAck(const QByteArray &bytes, int atMs = 0);
        Session &hangUp(int atMs);
        Session &hangUpAfterAck(int atMs = 0);
    };

    Session &session();
    // What each open past the scripted sessions plays: by default it opens and stays quiet.
    Session later;

    void setCommPort(int port) override { commPort = port; }
    bool portOpen() const override { return m_open; }
    OpenResult openPort() override;
    QString openFailureReason() const override { return m_reason; }
    void closePort() override;
    qint64 inBufferCount() const override { return m_open ? m_buffer.size() : 0; }
    void setInputLen(int length) override { m_inputLen = length; }
    QByteArray input() override;
    void output(const QByteArray &bytes) override;
    bool lineLost() const override { return m_lost; }
    // Nothing more arrives unless the run writes (the acknowledgement).
    bool playedOut() const { return m_pending.empty(); }

    QByteArray written; // everything the run sent, over all sessions
    int opens = 0;
    int commPort = 0;

    ScriptedLine();

private:
    struct Pending {
        qint64 dueMs;
        Step step;
        int generation;
    };
    void schedule(const Step &step);
    void armNext();
    void playNext();

    std::vector<Session> m_sessions;
    std::vector<Step> m_afterAck;   // of the session playing now
    std::vector<Pending> m_pending; // by due time, then in the order scheduled
    QElapsedTimer m_clock;
    QTimer m_next;
    QByteArray m_buffer;
    QString m_reason;
    int m_inputLen = 0;
    int m_generation = 0; // steps of an earlier session never reach a later one
    bool m_open = false;
    bool m_lost = false;
};

} // namespace velsnap::test
