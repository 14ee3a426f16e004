#include "terminal_front_end.h"

#include "picture/picture_geometry.h"
#include "platform/console_text.h"
#include "progress_text.h"
#include "texts.h"

#include <QDir>

namespace velsnap {

namespace {

constexpr qint64 kCopyBytes = qint64(kPictureWidth) * kPictureHeight * 2; // as the device sends them

void writeLine(std::FILE *stream, const QString &line)
{
    writeText(stream, line + u'\n');
    std::fflush(stream);
}

} // namespace

TerminalFrontEnd::TerminalFrontEnd(QString device, bool liveProgress)
    : m_device(std::move(device)),
      m_liveProgress(liveProgress)
{}

void TerminalFrontEnd::showStatus(const QString &text)
{
    // Said once: every run reopens the port and waits again.
    if (text == texts::kStatusWaiting && !std::exchange(m_waitingShown, true))
        writeLine(stderr, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_device), text));
}

void TerminalFrontEnd::showProgress(int convertedBytes)
{
    m_received = qint64(convertedBytes) * 2 / 3; // three bytes of the picture for each two of the device's
    if (!m_liveProgress)
        return;
    writeText(stderr, u'\r' + progressBar(m_received, kCopyBytes, m_clock.elapsed()));
    std::fflush(stderr);
    m_barShown = true;
}

void TerminalFrontEnd::pictureStarted()
{
    m_clock.start();
    m_received = 0;
    showProgress(0);
}

void TerminalFrontEnd::pictureDropped()
{
    clearBar();
}

void TerminalFrontEnd::pictureSaved(const QString &path, const PictureFacts &)
{
    clearBar();
    ++m_saved;
    writeLine(stdout, QDir::toNativeSeparators(path));
    writeLine(stderr, pictureSummary(QDir::toNativeSeparators(path), m_received, m_clock.elapsed()));
}

void TerminalFrontEnd::message(const QString &text, const QString &detail)
{
    QString line = text;
    line.replace(u'\n', u' ');
    // A port message's second line names the device; any other message needs it said.
    if (detail.isEmpty() && !line.startsWith(QDir::toNativeSeparators(m_device)))
        line = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_device), line);
    else
        line += QStringLiteral("\n  ") + detail;
    if (std::exchange(m_lastMessage, line) == line && m_silenceRepeats)
        return;
    clearBar();
    writeLine(stderr, line);
}

void TerminalFrontEnd::clearBar()
{
    if (std::exchange(m_barShown, false)) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

} // namespace velsnap
