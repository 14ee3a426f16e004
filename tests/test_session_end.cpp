// How the real program ends, seen from outside: after the exit button the
// last picture stays on the clipboard where a clipboard manager runs, and the
// session's end (SIGTERM, SIGHUP, the display going away) in the middle of a
// picture still closes the port, so its lock file goes.
#include "support/program_copy.h"
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
        test::SimulatedDevice device; // one picture, then the line stays quiet
        const QString line = device.start(
            {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")});
        QVERIFY(!line.isEmpty());
        const test::ProgramCopy copy(line);
        test::XServer x;
        QVERIFY(x.start());
        QProcessEnvironment environment = copy.environment();
        environment.insert(QStringLiteral("DISPLAY"), x.display());

        QProcess keeper;
        keeper.setProcessEnvironment(environment);
        keeper.start(QStringLiteral(KEEPER_PROGRAM), {});
        QVERIFY(keeper.waitForReadyRead(10000));
        QCOMPARE(keeper.readLine().trimmed(), QByteArray("ready"));

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(copy.program(), {});
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
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("pixel data cut")); }, 15000));
        QVERIFY2(QFileInfo::exists(test::portLockFile(line)), qPrintable(test::portLockFile(line)));

        if (signal)
            ::kill(pid_t(program.processId()), signal);
        else
            x.stop();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY(!QFileInfo::exists(test::portLockFile(line)));
        QVERIFY(QDir(copy.pictureFolder()).isEmpty());
    }
};

VELSNAP_TEST_MAIN(SessionEndTest)
#include "test_session_end.moc"
