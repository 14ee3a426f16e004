// The real program on a private X server, seen from outside. How it ends:
// after the exit button the last picture stays on the clipboard where a
// clipboard manager runs, and the session's end (SIGTERM, SIGHUP, the display
// going away) in the middle of a picture still closes the port, so its lock
// file goes. The strip's right-click menu, with the pointer and the keys
// pressed for real, the clipboard read by another client and the file dialog
// answered with Enter.
#include "support/expected_picture.h"
#include "support/program_on_x.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/x_session.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <csignal>

using namespace velsnap;

namespace {

// Row 0's thumbnail, in the window: the strip's viewport stands at 328, 56.
constexpr QPoint kRowZero(412, 118);

} // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString missing = test::missingXTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void clipboardOutlivesTheExitButton()
    {
        test::ProgramOnX run;
        QVERIFY(run.prepareOnePicture());
        const QProcessEnvironment &environment = run.environment;
        const test::ProgramCopy &copy = *run.copy;
        QProcess &program = run.program;

        QProcess keeper;
        keeper.setProcessEnvironment(environment);
        keeper.start(QStringLiteral(KEEPER_PROGRAM), {});
        QVERIFY(keeper.waitForReadyRead(10000));
        QCOMPARE(keeper.readLine().trimmed(), QByteArray("ready"));

        const QString window = run.startUntilPictureCopied();
        QVERIFY(!window.isEmpty());
        const QStringList pictures = QDir(copy.pictureFolder()).entryList({QStringLiteral("*.bmp")});
        QCOMPARE(pictures.size(), 1);

        test::pressKeys(window, QStringLiteral("alt+x"), environment);
        QVERIFY(program.waitForFinished(15000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(keeper.waitForReadyRead(5000));
        QVERIFY(keeper.readLine().startsWith("saved"));

        // Another client reads the picture, now from the clipboard manager.
        const QImage pasted = QImage::fromData(test::clipboardAs(QStringLiteral("image/bmp"), environment), "BMP");
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

    void menuCopiesEnlargedAndSavesAPng()
    {
        test::ProgramOnX run;
        QVERIFY(run.prepareOnePicture());
        const QProcessEnvironment &environment = run.environment;
        const QDir pictures(run.copy->pictureFolder());
        const QString window = run.startUntilPictureCopied();
        QVERIFY(!window.isEmpty());
        const QString name = pictures.entryList({QStringLiteral("*.bmp")}).value(0);
        const QImage picture = QImage(pictures.filePath(name)).convertToFormat(QImage::Format_RGB32);

        // "2 倍でコピー(&2)": another client pastes 640 x 480, each 2 x 2 block one pixel of the picture.
        QVERIFY(test::openMenu(window, kRowZero, environment));
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("2")}, environment);
        QImage pasted;
        QVERIFY(QTest::qWaitFor(
            [&] {
                pasted = QImage::fromData(test::clipboardAs(QStringLiteral("image/png"), environment), "PNG");
                return pasted.width() == 640;
            },
            10000));
        const QString fault = test::enlargementFault(pasted.convertToFormat(QImage::Format_RGB32), picture, 2);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

        // "PNG で保存(&S)…": the dialog offers the picture's name in the picture folder; Enter takes it.
        QVERIFY(test::openMenu(window, kRowZero + QPoint(20, 20), environment));
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("s")}, environment);
        QVERIFY(!test::findWindow(texts::kSavePngTitle, environment).isEmpty());
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}, environment);
        const QString png = pictures.filePath(name.chopped(4) + QStringLiteral(".png"));
        QVERIFY(QTest::qWaitFor([&] { return QImage(png).width() == 320; }, 10000));
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), picture);
        const QString facts = test::pngFactsFault(png, run.line);
        QVERIFY2(facts.isEmpty(), qPrintable(facts));
        run.program.terminate();
        QVERIFY(run.program.waitForFinished(10000));
    }
};

VELSNAP_TEST_MAIN(SessionEndTest)
#include "test_session_end.moc"
