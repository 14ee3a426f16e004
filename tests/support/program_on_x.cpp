#include "support/program_on_x.h"

namespace velsnap::test {

bool ProgramOnX::prepare(const QStringList &deviceArguments)
{
    line = device.start(deviceArguments);
    if (line.isEmpty() || !x.start())
        return false;
    copy = std::make_unique<ProgramCopy>(line);
    environment = copy->environment();
    environment.insert(QStringLiteral("DISPLAY"), x.display());
    program.setProcessEnvironment(environment);
    return true;
}

} // namespace velsnap::test
