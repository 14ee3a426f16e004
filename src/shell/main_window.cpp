#include "shell/main_window.h"

#include "serial/port_device.h"
#include "shell/control_factory.h"
#include "shell/dialogs.h"
#include "shell/help_command.h"
#include "shell/preview_box.h"
#include "shell/program_icon.h"
#include "shell/window_font.h"
#include "shell/window_layout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace velsnap {

namespace {

ReceptionWidgets receptionWidgets(const FrmMain &window)
{
    return {window.control<QLabel>(QStringLiteral("lbl_status")),
            window.control<QPushButton>(QStringLiteral("cmd_receive")),
            window.control<QComboBox>(QStringLiteral("cmb_port")),
            window.control<QCheckBox>(QStringLiteral("chk_viewimage")),
            window.control<PreviewBox>(QStringLiteral("pic1")),
            window.control<QLabel>(QStringLiteral("img1")),
            window.control<QLabel>(QStringLiteral("lbl_byte")),
            window.control<QLabel>(QStringLiteral("lbl_start")),
            window.control<QLabel>(QStringLiteral("lbl_end")),
            window.control<QLabel>(QStringLiteral("lbl_time"))};
}

StripWidgets stripWidgets(const FrmMain &window)
{
    return {
        window.control<QWidget>(QStringLiteral("pic_cont")), window.control<QScrollBar>(QStringLiteral("VScroll1")),
        window.control<QLabel>(QStringLiteral("image1(0)")), window.control<QLabel>(QStringLiteral("lbl_filename(0)")),
        window.control<QLabel>(QStringLiteral("img1")),      window.control<PreviewBox>(QStringLiteral("pic1"))};
}

} // namespace

FrmMain::FrmMain(ShellServices services)
    : m_services(std::move(services)),
      MSComm1([this](int port) {
          return portDeviceName(
              port, [this](const QString &comName) { return m_settings.read(kPortsSection, comName, QString()); });
      })
{
    buildControls();
    m_strip =
        std::make_unique<ThumbnailStrip>(stripWidgets(*this), m_folders, [this] { return m_reception->receiving(); });
    m_reception = std::make_unique<Reception>(
        Reception::Services{MSComm1, m_settings, m_services.dialogs, m_folders,
                            [this](const QString &fileName) { m_strip->add_thumbnail(fileName); }},
        receptionWidgets(*this));
    wireEvents();
}

void FrmMain::buildControls()
{
    setObjectName(QStringLiteral("frm_main"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(programIcon());
    // The layout is fixed: the border neither resizes nor maximises the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientArea.toPixels().size());
    setFont(windowFont(kWindowFontPoints, false));

    QWidget *previous = nullptr;
    for (const ControlSpec &spec : windowLayout()) {
        QWidget *parent = spec.parent ? findChild<QWidget *>(QString::fromLatin1(spec.parent)) : this;
        QWidget *control = createControl(spec, parent);
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    }
}

void FrmMain::wireEvents()
{
    auto *receive = control<QPushButton>(QStringLiteral("cmd_receive"));
    connect(receive, &QPushButton::clicked, this, [this] { m_reception->cmd_receive_Click(); });
    connect(control<QPushButton>(QStringLiteral("cmd_help")), &QPushButton::clicked, this, &FrmMain::cmd_help_Click);
    connect(control<QPushButton>(QStringLiteral("cmd_end")), &QPushButton::clicked, this, &FrmMain::cmd_end_Click);
    // User actions only: restoring a choice at start-up must not store it again.
    connect(control<QCheckBox>(QStringLiteral("chk_viewimage")), &QCheckBox::clicked, this,
            &FrmMain::chk_viewimage_Click);
    connect(control<QComboBox>(QStringLiteral("cmb_port")), &QComboBox::activated, this, &FrmMain::cmb_port_click);

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

void FrmMain::chk_viewimage_Click()
{
    auto *view = control<QCheckBox>(QStringLiteral("chk_viewimage"));
    view->setTristate(false); // a restored grey state turns ticked; from then on clicks only tick or clear
    const bool ticked = view->checkState() == Qt::Checked;
    m_settings.write(kSnapSection, kViewKey, ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

void FrmMain::cmb_port_click()
{
    const int position = control<QComboBox>(QStringLiteral("cmb_port"))->currentIndex();
    m_settings.write(kSnapSection, kPortKey, QString::number(position + 1));
}

void FrmMain::cmd_help_Click()
{
    openHelp();
}

void FrmMain::openHelp()
{
    const QString path = m_folders.app_path + QLatin1String(kHelpFileName);
    if (!QFile::exists(path)) {
        m_services.dialogs.message(QStringLiteral("ヘルプファイルが見つかりません: %1").arg(path));
        return;
    }
    if (!m_services.starter.start(helpCommandLine(m_folders.app_path)))
        m_services.dialogs.message(QStringLiteral("ヘルプを表示するプログラムを起動できません: %1").arg(path));
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
