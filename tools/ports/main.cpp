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
#include <QCommandLineParser>

namespace {

// The table on the terminal; changes nothing and needs no display.
int printList()
{
    const std::vector<velsnap::PortRow> rows =
        velsnap::portRows(velsnap::readPortMapping(velsnap::SettingsStore()), velsnap::findSerialPorts());
    for (const velsnap::PortRow &row : rows)
        velsnap::writeText(stdout, velsnap::listLine(row) + u'\n');
    return 0;
}

// Everything but the window: the table, the doctor, --help and --version.
int answer(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption list(QStringLiteral("list"));
    const QCommandLineOption check(QStringLiteral("check"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({list, check, help, version});
    // Options come first: from the first word --check is to examine on, every word is part of it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    // One option, alone but for what --check is to examine.
    if (!parser.parse(arguments) || parser.optionNames().size() != 1 ||
        (!parser.isSet(check) && !parser.positionalArguments().isEmpty())) {
        velsnap::writeText(stderr, velsnap::ports_texts::kUsage);
        return 2;
    }
    if (parser.isSet(list))
        return printList();
    if (parser.isSet(check))
        return velsnap::checkFromCommandLine(parser.positionalArguments());
    velsnap::writeText(stdout, parser.isSet(help) ? velsnap::ports_texts::kUsage
                                                  : QStringLiteral("velsnap-ports " VELSNAP_VERSION "\n"));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    velsnap::ensureHomeVariable();
    if (argc > 1) {
        const QCoreApplication app(argc, argv);
        return answer(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    velsnap::speakJapanese(app);
    velsnap::PortsWindow window(velsnap::findSerialPorts);
    window.show();
    return app.exec();
}
