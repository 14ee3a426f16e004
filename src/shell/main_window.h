#pragma once

#include "folders/program_folders.h"
#include "gallery/thumbnail_strip.h"
#include "run/reception_run.h"
#include "serial/serial_line.h"
#include "settings/settings_store.h"
#include "shell/window_controls.h"
#include "shell/window_reception.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace velsnap {

class Dialogs;
class ProgramStarter;

// What the window needs from outside, so tests can answer message boxes,
// watch programs being started and keep the process alive at "exit".
struct ShellServices {
    Dialogs &dialogs;
    ProgramStarter &starter;
    std::function<void()> endProgram;
    QString programFolder; // the folder of the running program
};

// The one window. It owns the shared state of the program (folders, serial
// port, reception, thumbnail strip) and routes each control's event to its handler.
class FrmMain : public QWidget {
    Q_OBJECT

public:
    FrmMain(ShellServices services, SerialLine &line);

    void Form_Load();
    void init_form();
    void chk_viewimage_Click();
    void cmb_port_click();
    void cmd_help_Click();
    void cmd_end_Click();
    void Form_QueryUnload();
    // The first step of Form_QueryUnload, also taken when the platform ends
    // the program (the display connection closed).
    void closePortIfOpen();

    template <typename Widget>
    Widget *control(const QString &name) const
    {
        return findChild<Widget *>(name);
    }
    ReceptionRun &reception() { return *m_reception; }
    ThumbnailStrip &strip() { return *m_strip; }
    const ProgramFolders &folders() const { return m_folders; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void wireEvents();
    void wirePictureGestures();
    bool preparePictureFolder();
    void offerKeptPictures();
    void restoreChoices();
    void openHelp();
    // Writes a choice at once; a store that cannot be written is said, and false.
    bool storeChoice(const QString &key, const QString &value);

    ShellServices m_services;
    WindowControls m_controls;
    ProgramFolders m_folders;
    SettingsStore m_settings;
    SerialLine &MSComm1;                     // the serial control
    std::unique_ptr<ThumbnailStrip> m_strip; // both need the controls built first
    std::unique_ptr<WindowReception> m_receptionView;
    std::unique_ptr<ReceptionRun> m_reception;
    QString m_helpFile;
    std::optional<int> m_unstoredPort; // chosen, but the settings file would not take it
};

} // namespace velsnap
