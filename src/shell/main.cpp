#include "japanese_font.h"
#include "platform/home_variable.h"
#include "serial/stored_choices_line.h"
#include "shell/command_line.h"
#include "shell/dialogs.h"
#include "shell/help_command.h"
#include "shell/main_window.h"
#include "shell/program_end.h"
#include "shell/program_icon.h"
#include "shell/session_end.h"
#include "system/qt_japanese.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    velsnap::ensureHomeVariable();
    if (const std::optional<int> answered = velsnap::answerCommandLine(argc, argv))
        return *answered;
    // Made with new: ending the program tears it down from wherever the end
    // comes (program_end.h).
    auto *application = new QApplication(argc, argv);
    QApplication::setWindowIcon(velsnap::programIcon());
    velsnap::installQtJapanese(*application);
    velsnap::loadBundledFonts();

    const QString programFolder = QApplication::applicationDirPath();
    velsnap::ProcessStarter starter(programFolder);
    velsnap::MessageBoxDialogs dialogs;
    const std::unique_ptr<velsnap::SerialLine> line = velsnap::lineOfStoredChoices();
    velsnap::FrmMain frmMain({dialogs, starter, velsnap::endProgramNow, programFolder}, *line);
    const velsnap::SessionEnd sessionEnd([&frmMain] { frmMain.Form_QueryUnload(); },
                                         [&frmMain] { frmMain.closePortIfOpen(); });
    // The window's load handler runs the program's working life from inside the event loop.
    QTimer::singleShot(0, &frmMain, &velsnap::FrmMain::Form_Load);
    return QApplication::exec();
}
