#include "shell/dialogs.h"
#include "shell/help_command.h"
#include "shell/main_window.h"
#include "shell/program_end.h"
#include "shell/program_icon.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(velsnap::programIcon());

    const QString programFolder = QApplication::applicationDirPath();
    velsnap::ProcessStarter starter(programFolder);
    velsnap::MessageBoxDialogs dialogs;
    velsnap::FrmMain frmMain({dialogs, starter, velsnap::endProgramNow, programFolder});
    // The window's load handler runs the program's working life from inside the event loop.
    QTimer::singleShot(0, &frmMain, &velsnap::FrmMain::Form_Load);
    return QApplication::exec();
}
