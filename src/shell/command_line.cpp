#include "shell/command_line.h"

#include "folders/program_folders.h"
#include "platform/console_text.h"
#include "settings/settings_store.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace velsnap {

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    const auto asked = [&](const char *option) {
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], option) == 0)
                return true;
        return false;
    };
    QString text;
    if (asked("--version")) {
        text = QStringLiteral("velsnap " VELSNAP_VERSION "\n");
    } else if (asked("--help") || asked("-h")) {
        // A core application only, to find the program's folder and the user's.
        const QCoreApplication application(argc, argv);
        const ProgramFolders folders = programFoldersOf(QCoreApplication::applicationDirPath());
        text = texts::kCommandLineHelp.arg(QDir::toNativeSeparators(folders.image_path),
                                           QDir::toNativeSeparators(SettingsStore().fileName()));
    } else {
        return std::nullopt;
    }
    writeText(stdout, text);
    return 0;
}

} // namespace velsnap
