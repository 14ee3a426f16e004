#include "support/program_on_x.h"

#include <QTest>

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

bool ProgramOnX::prepareOnePicture()
{
    return prepare(
        {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")});
}

QString ProgramOnX::startUntilPictureCopied()
{
    startProgram();
    const QString window = findWindow(QStringLiteral("VELSNAP"), environment);
    const bool copied =
        !window.isEmpty() &&
        QTest::qWaitFor([&] { return !clipboardAs(QStringLiteral("image/bmp"), environment).isEmpty(); }, 30000);
    return copied ? window : QString();
}

} // namespace velsnap::test
