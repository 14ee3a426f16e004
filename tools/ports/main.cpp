// velsnap-ports: which device COM 1 to COM 8 mean, and a window to change it.
#include "japanese_font.h"
#include "platform/console_text.h"
#include "platform/home_variable.h"
#include "platform/port_search.h"
#include "port_check.h"
#include "ports_texts.h"
#include "ports_window.h"
#include "serial/port_settings.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

// The table on the terminal; changes nothing and needs no display.
int printList(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const std::vector<velsnap::PortRow> rows =
        velsnap::portRows(velsnap::readPortMapping(velsnap::SettingsStore()), velsnap::findSerialPorts());
    for (const velsnap::PortRow &row : rows)
        velsnap::writeText(stdout, velsnap::listLine(row) + u'\n');
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    velsnap::ensureHomeVariable();
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0)
        return printList(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--check") == 0) {
        QCoreApplication app(argc, argv);
        return velsnap::checkFromCommandLine(QCoreApplication::arguments().mid(2));
    }
    const bool alone = argc == 2;
    if (alone && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        velsnap::writeText(stdout, velsnap::ports_texts::kUsage);
        return 0;
    }
    if (alone && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("velsnap-ports " VELSNAP_VERSION "\n", stdout);
        return 0;
    }
    if (argc > 1) {
        velsnap::writeText(stderr, velsnap::ports_texts::kUsage);
        return 2;
    }
    QApplication app(argc, argv);
    velsnap::speakJapanese(app);
    velsnap::PortsWindow window(velsnap::findSerialPorts);
    window.show();
    return app.exec();
}
