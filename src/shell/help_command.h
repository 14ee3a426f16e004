#pragma once

#include <QString>
#include <QStringList>

namespace velsnap {

inline constexpr char kHelpFileName[] = "VELSNAP.HLP";

// "WINHELP.EXE " + app_path + "VELSNAP.HLP", unquoted, as the help button runs it.
QString helpCommandLine(const QString &app_path);

// Starts a command line without waiting for it.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool start(const QString &commandLine) = 0;
};

// Splits at the first blank (the rest is one argument, spaces and all) and
// runs the classic help viewer's name as the project's own viewer beside the program.
struct ProgramCommand {
    QString program;
    QStringList arguments;
};
ProgramCommand resolveCommandLine(const QString &commandLine, const QString &programFolder);

class ProcessStarter : public ProgramStarter {
public:
    explicit ProcessStarter(QString programFolder) : m_programFolder(std::move(programFolder)) {}
    bool start(const QString &commandLine) override;

private:
    QString m_programFolder;
};

} // namespace velsnap
