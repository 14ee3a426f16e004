// The exit button ends the real program at once, in the middle of a transfer,
// on a real X server: exit status 0, no picture, nothing of the run resumes.
#include "support/program_copy.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/x_session.h"

#include <QDir>
#include <QStandardPaths>

using namespace velsnap;

class ExitTest : public QObject {
    Q_OBJECT

private slots:
    void exitButtonInTheMiddleOfATransfer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs Xvfb and xdotool (scripts/install-deps.sh installs them)");

        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--stop-after"), QStringLiteral("50000")});
        QVERIFY(!line.isEmpty());
        const test::ProgramCopy copy(line);

        test::XServer x;
        QVERIFY(x.start());
        QProcessEnvironment environment = copy.environment();
        environment.insert(QStringLiteral("DISPLAY"), x.display());

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(copy.program(), {});
        QVERIFY(program.waitForStarted());

        const QString window = test::findWindow(QStringLiteral("VELSNAP"), environment);
        QVERIFY(!window.isEmpty());
        // The device has sent part of a picture and fallen silent: the run waits for the rest.
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("pixel data cut")); }, 15000));
        QTest::qWait(300);
        test::pressKeys(window, QStringLiteral("alt+x"), environment);

        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QDir(copy.pictureFolder()).isEmpty());
    }
};

VELSNAP_TEST_MAIN(ExitTest)
#include "test_exit.moc"
