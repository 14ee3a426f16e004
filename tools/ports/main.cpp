// velsnap-ports: which device COM 1 to COM 8 mean, and a window to change it.
#include "japanese_font.h"
#include "ports_window.h"
#include "serial/port_search.h"
#include "serial/port_settings.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "使い方: velsnap-ports [--list]\n"
                      "COM 1 から COM 8 が使うデバイスをウィンドウで表示し、変更します。\n"
                      "  --list     COM 1 から COM 8 が使うデバイスを表示します（何も変更しません）\n"
                      "  --help     この説明を表示します\n"
                      "  --version  版を表示します\n";

// The table on the terminal; changes nothing and needs no display.
int printList(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const std::vector<velsnap::PortRow> rows =
        velsnap::portRows(velsnap::readPortMapping(velsnap::SettingsStore()), velsnap::findSerialPorts());
    for (const velsnap::PortRow &row : rows)
        out << velsnap::listLine(row) << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0)
        return printList(argc, argv);
    const bool alone = argc == 2;
    if (alone && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (alone && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("velsnap-ports " VELSNAP_VERSION "\n", stdout);
        return 0;
    }
    if (argc > 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QApplication app(argc, argv);
    velsnap::preferJapaneseFont(app);
    velsnap::PortsWindow window(velsnap::findSerialPorts);
    window.show();
    return app.exec();
}
