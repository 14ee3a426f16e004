// How the real program ends, seen from outside: after the exit button the
// last picture stays on the clipboard where a clipboard manager runs, and the
// session's end (SIGTERM, SIGHUP, the display going away) in the middle of a
// picture still closes the port, so its lock file goes.
#include "support/program_on_x.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/x_session.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <csignal>

using namespace velsnap;

namespace {

QString missingTools()
{
    for (const char *tool : {"Xvfb", "xdotool", "xclip"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("needs %1 (scripts/install-deps.sh installs it)").arg(QLatin1String(tool));
    }
    return {};
}

QByteArray clipboardAs(const QString &type, const QProcessEnvironment &environment)
{
    QProcess xclip;
    xclip.setProcessEnvironment(environment);
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), type, QStringLiteral("-o")});
    xclip.waitForFinished(15000);
    return xclip.readAllStandardOutput();
}

} // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString missing = missingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void clipboardOutlivesTheExitButton()
    {
        test::ProgramOnX run; // one picture, then the line stays quiet
        QVERIFY(run.prepare(
            {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")}));
        const QProcessEnvironment &environment = run.environment;
        const test::ProgramCopy &copy = *run.copy;
        QProcess &program = run.program;

        QProcess keeper;
        keeper.setProcessEnvironment(environment);
        keeper.start(QStringLiteral(KEEPER_PROGRAM), {});
        QVERIFY(keeper.waitForReadyRead(10000));
        QCOMPARE(keeper.readLine().trimmed(), QByteArray("ready"));

        run.startProgram();
        const QString window = test::findWindow(QStringLiteral("VELSNAP"), environment);
        QVERIFY(!window.isEmpty());
        QVERIFY(
            QTest::qWaitFor([&] { return !clipboardAs(QStringLiteral("image/bmp"), environment).isEmpty(); }, 30000));
        const QStringList pictures = QDir(copy.pictureFolder()).entryList({QStringLiteral("*.bmp")});
        QCOMPARE(pictures.size(), 1);

        test::pressKeys(window, QStringLiteral("alt+x"), environment);
        QVERIFY(program.waitForFinished(15000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(keeper.waitForReadyRead(5000));
        QVERIFY(keeper.readLine().startsWith("saved"));

        // Another client reads the picture, now from the clipboard manager.
        const QImage pasted = QImage::fromData(clipboardAs(QStringLiteral("image/bmp"), environment), "BMP");
        const QImage saved(QDir(copy.pictureFolder()).filePath(pictures.first()));
        QVERIFY(!saved.isNull());
        QCOMPARE(pasted.convertToFormat(QImage::Format_RGB32), saved.convertToFormat(QImage::Format_RGB32));
        keeper.kill();
        keeper.waitForFinished();
    }

    void sessionEndsInTheMiddleOfAPicture_data()
    {
        QTest::addColumn<int>("signal"); // 0: the display goes away
        QTest::addColumn<int>("exitCode");
        QTest::newRow("SIGTERM") << int(SIGTERM) << 0;
        QTest::newRow("SIGHUP") << int(SIGHUP) << 0;
        QTest::newRow("display closed") << 0 << 1; // the platform's own exit status
    }
    void sessionEndsInTheMiddleOfAPicture()
    {
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        test::ProgramOnX run;
        QVERIFY(run.prepare({QStringLiteral("--stop-after"), QStringLiteral("50000")}));
        const QString &line = run.line;
        test::SimulatedDevice &device = run.device;
        test::XServer &x = run.x;
        QProcess &program = run.program;
        run.startProgram();
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("画素データを")); }, 15000));
        QVERIFY2(QFileInfo::exists(test::portLockFile(line)), qPrintable(test::portLockFile(line)));

        if (signal)
            ::kill(pid_t(program.processId()), signal);
        else
            x.stop();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY(!QFileInfo::exists(test::portLockFile(line)));
        QVERIFY(QDir(run.copy->pictureFolder()).isEmpty());
    }
};

VELSNAP_TEST_MAIN(SessionEndTest)
#include "test_session_end.moc"
