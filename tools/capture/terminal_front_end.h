#pragma once

#include "run/reception_front_end.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

namespace velsnap {

// The run as a terminal shows it: saved paths alone on stdout, for scripts;
// progress and every message on stderr, a live bar where stderr is a terminal.
class TerminalFrontEnd : public ReceptionFrontEnd {
public:
    TerminalFrontEnd(QString device, bool liveProgress);

    void showStatus(const QString &text) override;
    void showControls(const QString &, bool) override {}
    void showReport(ReportLabel, const QString &) override {}
    void showProgress(int convertedBytes) override;
    bool previewOn() const override { return false; }
    void drawPoint(int, int, Bgr) override {}
    void pictureStarted() override;
    void pictureDropped() override;
    void pictureSaved(const QString &path, const PictureFacts &facts) override;
    void message(const QString &text, const QString &detail) override;

    int saved() const { return m_saved; }
    // While on, a message the same as the one before is not said again.
    void silenceRepeats(bool on) { m_silenceRepeats = on; }

private:
    void clearBar();

    QString m_device;
    bool m_liveProgress;
    bool m_barShown = false;
    bool m_waitingShown = false;
    bool m_silenceRepeats = false;
    QString m_lastMessage;
    qint64 m_received = 0;
    int m_saved = 0;
    QElapsedTimer m_clock;
};

} // namespace velsnap
