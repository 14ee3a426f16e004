#include "shell/main_window.h"

#include "run/picture_source.h"
#include "serial/port_settings.h"
#include "settings/stored_port.h"
#include "shell/dialogs.h"
#include "shell/help_command.h"
#include "shell/picture_display.h"
#include "shell/picture_menu.h"
#include "shell/preview_box.h"
#include "shell/program_icon.h"
#include "shell/window_font.h"
#include "shell/window_layout.h"
#include "texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace velsnap {

namespace {

ReceptionWidgets receptionWidgets(const WindowControls &c)
{
    return {c.lbl_status, c.cmd_receive, c.cmb_port,  c.chk_viewimage, c.pic1,
            c.img1,       c.lbl_byte,    c.lbl_start, c.lbl_end,       c.lbl_time};
}

StripWidgets stripWidgets(const WindowControls &c)
{
    return {c.pic_cont, c.VScroll1, c.image1_0, c.lbl_filename_0};
}

StripDisplays stripDisplays(const WindowControls &c)
{
    return {[img1 = c.img1](const QImage &picture) { showPictureAtOwnSize(img1, QPixmap::fromImage(picture)); },
            [pic1 = c.pic1](const QImage &picture) {
                pic1->showPicture(picture);
                pic1->show();
            },
            copyPictureToClipboard};
}

} // namespace

FrmMain::FrmMain(ShellServices services, SerialLine &line) : m_services(std::move(services)), MSComm1(line)
{
    buildControls();
    m_strip = std::make_unique<ThumbnailStrip>(stripWidgets(m_controls), stripDisplays(m_controls), m_folders,
                                               [this] { return m_reception->receiving(); });
    m_receptionView = std::make_unique<WindowReception>(
        receptionWidgets(m_controls), m_services.dialogs,
        [this](const QString &fileName, const QImage &picture, const PictureFacts &facts) {
            m_strip->add_thumbnail(fileName, picture, facts);
        });
    m_reception = std::make_unique<ReceptionRun>(ReceptionRun::Services{
        MSComm1, *m_receptionView, m_folders, [this] { return m_unstoredPort.value_or(storedPortNumber(m_settings)); },
        [this](int port) { return pictureSourceOf(currentDeviceForPort(port, m_settings)); }});
    wireEvents();
    wirePictureGestures();
}

void FrmMain::buildControls()
{
    setObjectName(QStringLiteral("frm_main"));
    setWindowTitle(texts::kWindowCaption);
    setWindowIcon(programIcon());
    // The layout is fixed: the border neither resizes nor maximises the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientArea.toPixels().size());
    setFont(windowFont(kWindowFontPoints, false));
    m_controls = buildWindowControls(*this);
}

void FrmMain::wireEvents()
{
    auto *receive = m_controls.cmd_receive;
    connect(receive, &QPushButton::clicked, this, [this] { m_reception->cmd_receive_Click(); });
    connect(m_controls.cmd_help, &QPushButton::clicked, this, &FrmMain::cmd_help_Click);
    connect(m_controls.cmd_end, &QPushButton::clicked, this, &FrmMain::cmd_end_Click);
    // User actions only: restoring a choice at start-up must not store it again.
    connect(m_controls.chk_viewimage, &QCheckBox::clicked, this, &FrmMain::chk_viewimage_Click);
    connect(m_controls.cmb_port, &QComboBox::activated, this, &FrmMain::cmb_port_click);

    // The start/stop button is the window's default button: Enter presses it
    // wherever the focus is, which a plain widget window does not do by itself.
    receive->setDefault(true);
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, receive, &QPushButton::click);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, [this] {
        if (!m_helpFile.isEmpty()) // named at the end of start-up
            openHelp();
    });
}

// The right-click menu and the drag out on every thumbnail and on img1;
// Esc and Delete on the strip's selection.
void FrmMain::wirePictureGestures()
{
    auto *menu = new PictureMenu(this, m_services.dialogs,
                                 {[this](const QString &path) { return m_strip->factsOf(path); },
                                  [this](const QStringList &paths) { return m_strip->trashPictures(paths); }});
    connect(&m_strip->gestures(), &PictureGestures::contextMenuWanted, menu,
            [this, menu](const QString &path, const QPoint &at, const QPoint &globalPos) {
                menu->popup(path, m_strip->menuTargetsAt(at), globalPos);
            });
    QLabel *img1 = m_controls.img1;
    auto *img1Gestures = new PictureGestures(img1, [this, img1](const QPoint &) {
        return img1->pixmap().isNull() || m_strip->img1Picture().isEmpty() ? QString()
                                                                           : m_strip->pathOf(m_strip->img1Picture());
    });
    connect(
        img1Gestures, &PictureGestures::contextMenuWanted, menu,
        [menu](const QString &path, const QPoint &, const QPoint &globalPos) { menu->popup(path, {path}, globalPos); });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, m_strip.get(), &ThumbnailStrip::clearSelection);
    connect(new QShortcut(QKeySequence::Delete, this), &QShortcut::activated, menu, [this, menu] {
        if (!m_strip->selection().empty())
            menu->trash(m_strip->chosenPictures());
    });
}

void FrmMain::chk_viewimage_Click()
{
    auto *view = m_controls.chk_viewimage;
    view->setTristate(false); // a restored grey state turns ticked; from then on clicks only tick or clear
    const bool ticked = view->checkState() == Qt::Checked;
    storeChoice(kViewKey, ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

void FrmMain::cmb_port_click()
{
    const int position = m_controls.cmb_port->currentIndex();
    m_unstoredPort = storeChoice(kPortKey, QString::number(position + 1)) ? std::nullopt : std::optional(position + 1);
}

bool FrmMain::storeChoice(const QString &key, const QString &value)
{
    const QString error = m_settings.write(kSnapSection, key, value);
    if (!error.isEmpty())
        m_services.dialogs.message(texts::kChoiceNotStored.arg(QDir::toNativeSeparators(m_settings.fileName()), error));
    return error.isEmpty();
}

void FrmMain::cmd_help_Click()
{
    openHelp();
}

void FrmMain::openHelp()
{
    const QString path = m_folders.app_path + QLatin1String(kHelpFileName);
    if (!QFile::exists(path)) {
        m_services.dialogs.message(texts::kHelpFileMissing.arg(path));
        return;
    }
    if (!m_services.starter.start(helpCommandLine(m_folders.app_path)))
        m_services.dialogs.message(texts::kHelpViewerMissing.arg(path));
}

void FrmMain::cmd_end_Click()
{
    m_reception->set_port_state(-1);
    m_services.endProgram();
}

void FrmMain::Form_QueryUnload()
{
    closePortIfOpen();
    m_services.endProgram();
}

void FrmMain::closePortIfOpen()
{
    if (MSComm1.portOpen())
        MSComm1.closePort();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

} // namespace velsnap
