// The exit button ends the real program at once, in the middle of a transfer,
// on a real X server: exit status 0, no picture, nothing of the run resumes.
#include "support/program_on_x.h"
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

        test::ProgramOnX run;
        QVERIFY(run.prepare({QStringLiteral("--stop-after"), QStringLiteral("50000")}));
        const QProcessEnvironment &environment = run.environment;
        const test::ProgramCopy &copy = *run.copy;
        test::SimulatedDevice &device = run.device;
        QProcess &program = run.program;
        run.startProgram();
        QVERIFY(program.waitForStarted());

        const QString window = test::findWindow(QStringLiteral("VELSNAP"), environment);
        QVERIFY(!window.isEmpty());
        // The device has sent part of a picture and fallen silent: the run waits for the rest.
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("画素データを")); }, 15000));
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
