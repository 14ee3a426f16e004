#include "shell/reception.h"

#include "folders/program_folders.h"
#include "picture/picture_file.h"
#include "picture/pixel_conversion.h"
#include "picture/time_report.h"
#include "serial/event_wait.h"
#include "serial/serial_line.h"
#include "settings/settings_store.h"
#include "settings/stored_number.h"
#include "shell/dialogs.h"
#include "shell/picture_display.h"
#include "shell/preview_box.h"
#include "shell/reception_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace velsnap {

namespace {

constexpr int kHeaderBytes = 25;
const QByteArray kAcknowledgement("\x4F\x4B\x0D", 3);
const QByteArray kScreenCopyMarker("HZAURUS");
const QByteArray kExtraByteMarker("MI500");

// Feeds the run's conversion with the window's cancel flag, preview switch,
// preview box and byte counter.
class WindowConversionObserver : public ConversionObserver {
public:
    WindowConversionObserver(const bool &cancel, const ReceptionWidgets &widgets) : m_cancel(cancel), w(widgets) {}
    bool cancelled() const override { return m_cancel; }
    bool previewOn() const override { return w.chk_viewimage->checkState() == Qt::Checked; }
    void drawPoint(int x, int y, Bgr colour) override { w.pic1->drawPoint(x, y, colour); }
    void rowsConverted(int byteCount) override { w.lbl_byte->setText(u' ' + QString::number(byteCount)); }

private:
    const bool &m_cancel;
    const ReceptionWidgets &w;
};

} // namespace

Reception::Reception(Services services, ReceptionWidgets widgets) : m_services(std::move(services)), w(widgets)
{}

bool Reception::set_port_state(int port)
{
    SerialLine &line = m_services.MSComm1;
    if (line.portOpen())
        line.closePort();
    w.lbl_status->setText(texts::kStatusCannotReceive);
    w.cmd_receive->setText(texts::kButtonStartIdle);
    w.cmb_port->setEnabled(true);
    if (port == -1)
        return true;

    line.setCommPort(port);
    switch (line.openPort()) {
    case OpenResult::Opened:
        break;
    case OpenResult::Unusable:
        m_services.dialogs.message(texts::kPortUnusable, line.openFailureReason());
        return false;
    case OpenResult::InUse:
        m_services.dialogs.message(texts::kPortInUse, line.openFailureReason());
        return false;
    case OpenResult::Failed:
        return false;
    }
    w.lbl_status->setText(texts::kStatusPortOpen);
    w.cmd_receive->setText(texts::kButtonStop);
    w.cmb_port->setEnabled(false);
    return true;
}

void Reception::cmd_receive_Click()
{
    if (w.cmd_receive->text() == texts::kButtonStop) {
        set_port_state(-1);
        glb_cancel = true;
        w.cmd_receive->setText(texts::kButtonStart);
        w.cmb_port->setEnabled(true);
        return;
    }
    // Between two runs the button briefly offers to start; a press there must
    // not nest a second loop, which would outlive the next stop.
    if (m_looping)
        return;

    glb_cancel = false;
    w.cmd_receive->setText(texts::kButtonStop);
    w.cmb_port->setEnabled(false);
    m_looping = true;
    do {
        receive_image();
        QCoreApplication::processEvents();
    } while (!glb_cancel);
    m_looping = false;
    glb_cancel = false;
}

void Reception::receive_image()
{
    SerialLine &line = m_services.MSComm1;
    int port = readStoredInt16(m_services.settings.read(kSnapSection, kPortKey, QStringLiteral("1")));
    if (port == -1)
        port = 0; // -1 would only close the port; as a stored choice it names no port
    if (!set_port_state(port)) {
        glb_cancel = true;
        return;
    }
    w.lbl_status->setText(texts::kStatusWaiting);

    if (const Wait wait = waitForBytes(1); wait != Wait::Ready)
        return abandonRun(wait);
    line.output(kAcknowledgement);
    w.lbl_status->setText(texts::kStatusReceiving);
    flag_receive_image = true;
    resetReportLabels();
    w.pic1->clearPicture();
    w.img1->clear();
    w.pic1->show();
    w.img1->hide();

    if (const Wait wait = waitForBytes(kHeaderBytes); wait != Wait::Ready)
        return abandonRun(wait);
    line.setInputLen(kHeaderBytes);
    const QByteArray header = line.input();
    if (!header.contains(kScreenCopyMarker)) {
        m_services.dialogs.message(texts::kNotScreenCopy);
        failRun({});
        return;
    }
    if (header.contains(kExtraByteMarker)) {
        // The extra byte may still be on its way; taking the pixels early would shift them all.
        if (const Wait wait = waitForBytes(1); wait != Wait::Ready)
            return abandonRun(wait);
        line.setInputLen(1);
        line.input();
    }
    w.lbl_start->setText(timeOfDayText(QTime::currentTime()));

    line.setInputLen(kBlockBytes);
    QByteArray buffer(kPictureBufferBytes, '\0');
    ConversionState state;
    WindowConversionObserver observer(glb_cancel, w);
    for (int block = 1; block <= kBlockCount; ++block) {
        if (glb_cancel)
            return cancelRun();
        if (const Wait wait = waitForBytes(kBlockBytes); wait != Wait::Ready)
            return abandonRun(wait);
        if (convertBlock(line.input(), state, buffer, observer) == BlockOutcome::Cancelled)
            return cancelRun();
    }

    const ProgramFolders &folders = m_services.folders;
    const PictureWriteResult written = writePictureFile(folders.app_path + QLatin1String(kHeaderTemplateName),
                                                        folders.image_path, QDateTime::currentDateTime(), buffer);
    if (!written.ok())
        return failRun(written.error);
    w.lbl_end->setText(timeOfDayText(QTime::currentTime()));
    w.lbl_time->setText(processingTimeText(w.lbl_start->text(), w.lbl_end->text()));
    if (set_port_state(-1))
        finishRun(written.fileName);
}

Reception::Wait Reception::waitForBytes(qint64 count)
{
    SerialLine &line = m_services.MSComm1;
    bool lost = false;
    const bool ready = waitWithEvents([&] { return line.inBufferCount() >= count; },
                                      [&] { return glb_cancel || (lost = line.lineLost()); });
    return ready ? Wait::Ready : lost ? Wait::LineLost : Wait::Cancelled;
}

void Reception::resetReportLabels()
{
    w.lbl_start->setText(texts::kStartTime);
    w.lbl_end->setText(texts::kEndTime);
    w.lbl_time->setText(texts::kProcessingTime);
    w.lbl_byte->clear();
}

void Reception::cancelRun()
{
    set_port_state(-1);
    flag_receive_image = false;
    w.lbl_status->setText(texts::kStatusWaiting);
    resetReportLabels();
    w.img1->clear();
    w.pic1->show();
    w.img1->hide();
}

void Reception::abandonRun(Wait why)
{
    cancelRun();
    if (why == Wait::LineLost) {
        glb_cancel = true;
        m_services.dialogs.message(texts::kLineLost);
    }
}

void Reception::failRun(const QString &message)
{
    set_port_state(-1);
    flag_receive_image = false;
    glb_cancel = true;
    if (!message.isEmpty())
        m_services.dialogs.message(message);
}

void Reception::finishRun(const QString &fileName)
{
    const QImage picture(m_services.folders.image_path + fileName);
    w.lbl_status->setText(texts::kStatusComplete);
    flag_receive_image = false;
    showPictureAtOwnSize(w.img1, QPixmap::fromImage(picture));
    w.img1->show();
    m_services.add_thumbnail(fileName);
    w.pic1->hide();
    copyPictureToClipboard(picture);
}

} // namespace velsnap
