#include "run/reception_run.h"

#include "folders/program_folders.h"
#include "picture/pixel_conversion.h"
#include "picture/time_report.h"
#include "protocol/wire_protocol.h"
#include "run/reception_front_end.h"
#include "serial/event_wait.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

namespace velsnap {

namespace {

using Label = ReceptionFrontEnd::ReportLabel;

QString byteCountText(int bytes)
{
    return u' ' + QString::number(bytes);
}

// Feeds the conversion with the run's cancel flag and the front end's preview.
class FrontEndConversionObserver : public ConversionObserver {
public:
    FrontEndConversionObserver(const bool &cancel, ReceptionFrontEnd &frontEnd) : m_cancel(cancel), m_frontEnd(frontEnd)
    {}
    bool cancelled() const override { return m_cancel; }
    bool previewOn() const override { return m_frontEnd.previewOn(); }
    void drawPoint(int x, int y, Bgr colour) override { m_frontEnd.drawPoint(x, y, colour); }
    void rowsConverted(int byteCount) override
    {
        m_frontEnd.showReport(Label::Bytes, byteCountText(byteCount));
        m_frontEnd.showProgress(byteCount);
    }

private:
    const bool &m_cancel;
    ReceptionFrontEnd &m_frontEnd;
};

} // namespace

ReceptionRun::ReceptionRun(Services services) : m_services(std::move(services))
{}

bool ReceptionRun::set_port_state(int port)
{
    SerialLine &line = m_services.MSComm1;
    ReceptionFrontEnd &frontEnd = m_services.frontEnd;
    if (line.portOpen() && m_state == State::Receiving)
        line.closePortMidCopy();
    else if (line.portOpen())
        line.closePort();
    frontEnd.showStatus(texts::kStatusCannotReceive);
    frontEnd.showControls(texts::kButtonStartIdle, true);
    if (port == -1)
        return true;

    line.setCommPort(port);
    m_lastOpen = line.openPort();
    switch (m_lastOpen) {
    case OpenResult::Opened:
        break;
    case OpenResult::Unusable:
        frontEnd.message(texts::kPortUnusable, line.openFailureReason());
        return false;
    case OpenResult::InUse:
        frontEnd.message(texts::kPortInUse, line.openFailureReason());
        return false;
    case OpenResult::Failed:
        return false;
    }
    frontEnd.showStatus(texts::kStatusPortOpen);
    frontEnd.showControls(texts::kButtonStop, false);
    return true;
}

void ReceptionRun::cmd_receive_Click()
{
    if (m_looping) {
        cancel();
        m_services.frontEnd.showControls(texts::kButtonStart, true);
        return;
    }
    glb_cancel = false;
    m_services.frontEnd.showControls(texts::kButtonStop, false);
    m_looping = true;
    do {
        receive_image();
        QCoreApplication::processEvents();
    } while (!glb_cancel);
    m_looping = false;
    glb_cancel = false;
}

void ReceptionRun::cancel()
{
    set_port_state(-1);
    glb_cancel = true;
}

RunOutcome ReceptionRun::receive_image()
{
    SerialLine &line = m_services.MSComm1;
    ReceptionFrontEnd &frontEnd = m_services.frontEnd;
    int port = m_services.chosenPort();
    if (port == -1)
        port = 0; // -1 would only close the port; as a stored choice it names no port
    if (!set_port_state(port)) {
        glb_cancel = true;
        return RunOutcome::PortNotOpened;
    }
    // Looked up while the device is still silent: the system's list of
    // ports takes milliseconds that would otherwise delay the picture file.
    m_source = m_services.sourceOfPort ? m_services.sourceOfPort(port) : QString();
    m_state = State::Waiting;
    frontEnd.showStatus(texts::kStatusWaiting);

    if (const Wait wait = waitForBytes(1); wait != Wait::Ready)
        return abandonRun(wait);
    line.output(protocol::kAcknowledgement);
    frontEnd.showStatus(texts::kStatusReceiving);
    m_state = State::Receiving;
    resetReportLabels();
    frontEnd.pictureStarted();

    if (const Wait wait = waitForBytes(protocol::kHeaderBytes); wait != Wait::Ready)
        return abandonRun(wait);
    line.setInputLen(protocol::kHeaderBytes);
    const QByteArray header = line.input();
    if (!protocol::isScreenCopyHeader(header))
        return failRun(RunOutcome::NotScreenCopy, texts::kNotScreenCopy);
    if (protocol::hasExtraHeaderByte(header)) {
        // The extra byte may still be on its way; taking the pixels early would shift them all.
        if (const Wait wait = waitForBytes(1); wait != Wait::Ready)
            return abandonRun(wait);
        line.setInputLen(1);
        line.input();
    }
    m_start = QTime::currentTime();
    frontEnd.showReport(Label::Start, timeOfDayText(m_start));

    line.setInputLen(kBlockBytes);
    QByteArray buffer(kPictureBufferBytes, '\0');
    ConversionState state;
    FrontEndConversionObserver observer(glb_cancel, frontEnd);
    for (int block = 1; block <= kBlockCount; ++block) {
        if (glb_cancel)
            return cancelRun();
        if (const Wait wait = waitForBytes(kBlockBytes); wait != Wait::Ready)
            return abandonRun(wait);
        if (convertBlock(line.input(), state, buffer, observer) == BlockOutcome::Cancelled)
            return cancelRun();
    }

    m_state = State::Writing;
    const ProgramFolders &folders = m_services.folders;
    const PictureFacts facts{QDateTime::currentDateTime(), m_source};
    const PictureWriteResult written =
        writePictureFile(folders.app_path + QLatin1String(kHeaderTemplateName), folders.image_path, facts.received,
                         buffer, m_format, facts.source, m_scale);
    if (!written.ok())
        return failRun(RunOutcome::NotWritten, written.error);
    const QTime end = QTime::currentTime();
    frontEnd.showReport(Label::End, timeOfDayText(end));
    frontEnd.showReport(Label::Time, processingTimeText(m_start, end));
    set_port_state(-1); // closing only: it cannot fail
    return finishRun(folders.image_path + written.fileName, facts);
}

ReceptionRun::Wait ReceptionRun::waitForBytes(qint64 count)
{
    SerialLine &line = m_services.MSComm1;
    // Silence counts only once the device has begun a picture; before that
    // the run waits as long as the user likes.
    QTimer silence;
    bool silent = false;
    qint64 seen = line.inBufferCount();
    const bool watchSilence = m_silenceLimitMs > 0 && m_state == State::Receiving;
    if (watchSilence) {
        silence.setSingleShot(true);
        QObject::connect(&silence, &QTimer::timeout, [&] { silent = true; });
        silence.start(m_silenceLimitMs);
    }
    bool lost = false;
    const bool ready = waitWithEvents(
        [&] {
            const qint64 now = line.inBufferCount();
            if (watchSilence && now != seen)
                silence.start(m_silenceLimitMs);
            seen = now;
            return now >= count;
        },
        [&] { return glb_cancel || (lost = line.lineLost()) || silent; });
    if (ready)
        return Wait::Ready;
    return lost ? Wait::LineLost : silent && !glb_cancel ? Wait::Silent : Wait::Cancelled;
}

void ReceptionRun::resetReportLabels()
{
    ReceptionFrontEnd &frontEnd = m_services.frontEnd;
    frontEnd.showReport(Label::Start, texts::kStartTime);
    frontEnd.showReport(Label::End, texts::kEndTime);
    frontEnd.showReport(Label::Time, texts::kProcessingTime);
    frontEnd.showReport(Label::Bytes, QString());
}

RunOutcome ReceptionRun::cancelRun()
{
    set_port_state(-1);
    m_state = State::Idle;
    m_services.frontEnd.showStatus(texts::kStatusWaiting);
    resetReportLabels();
    m_services.frontEnd.pictureDropped();
    return RunOutcome::Stopped;
}

RunOutcome ReceptionRun::abandonRun(Wait why)
{
    const bool wasReceiving = receiving();
    cancelRun();
    switch (why) {
    case Wait::LineLost:
        glb_cancel = true;
        m_services.frontEnd.message(wasReceiving ? texts::kLineLostWhileReceiving : texts::kLineLostWhileWaiting, {});
        return RunOutcome::LineLost;
    case Wait::Silent:
        m_services.frontEnd.message(texts::kLineSilent.arg(m_silenceLimitMs / 1000.0), {});
        return RunOutcome::Silent;
    default:
        return RunOutcome::Stopped;
    }
}

RunOutcome ReceptionRun::failRun(RunOutcome why, const QString &message)
{
    set_port_state(-1);
    m_state = State::Idle;
    glb_cancel = true;
    m_services.frontEnd.message(message, {});
    return why;
}

RunOutcome ReceptionRun::finishRun(const QString &path, const PictureFacts &facts)
{
    m_services.frontEnd.showStatus(texts::kStatusComplete);
    m_state = State::Idle;
    m_services.frontEnd.pictureSaved(path, facts);
    return RunOutcome::Saved;
}

} // namespace velsnap
