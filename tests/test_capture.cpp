// velsnap-capture as a script runs it: no display, a pseudo-terminal with
// the simulated device at the other end, paths read from stdout.
#include "platform/port_locks.h"
#include "progress_text.h"
#include "support/cpu_time.h"
#include "support/expected_picture.h"
#include "support/headless_environment.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>
#include <cstring>

using namespace velsnap;

namespace {

QByteArray pictureFile(const QByteArray &sentCopy)
{
    return test::readFileBytes(QStringLiteral(VELSNAP_SOURCE_DIR "/resources/24bit.hed")) +
           test::expectedPixelData(sentCopy);
}

// This environment without any display, so a program that wants a window fails.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

} // namespace

class CaptureTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch;
    QProcess capture;

    QString folder() const { return m_scratch.filePath(QStringLiteral("shots")); }
    QString sentFile() const { return m_scratch.filePath(QStringLiteral("sent.bin")); }
    QStringList leftInFolder() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }

    void start(const QStringList &arguments)
    {
        capture.setProcessEnvironment(withoutDisplay());
        capture.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-capture")),
                      arguments + QStringList{QStringLiteral("--folder"), folder()});
        QVERIFY(capture.waitForStarted());
    }
    int finish(int timeoutMs = 20000)
    {
        if (!capture.waitForFinished(timeoutMs)) {
            capture.kill();
            capture.waitForFinished();
            return -1;
        }
        return capture.exitStatus() == QProcess::NormalExit ? capture.exitCode() : -2;
    }
    QStringList printedPaths()
    {
        return QString::fromLocal8Bit(capture.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void cleanup()
    {
        if (capture.state() != QProcess::NotRunning) {
            capture.kill();
            capture.waitForFinished();
        }
        QDir(folder()).removeRecursively();
    }

    void savesTheCountAskedForAndPrintsEachPath_data()
    {
        QTest::addColumn<QStringList>("misbehaviour"); // of the device
        QTest::addColumn<QList<int>>("saved");         // the copies that make the pictures
        QTest::newRow("every copy sound") << QStringList() << QList<int>{0, 1};
        // Copy 2 and 4 are refused, copy 3 is given up once the line falls silent.
        QTest::newRow("refused and cut copies between")
            << QStringList{QStringLiteral("--bad-header-every"), QStringLiteral("2"), QStringLiteral("--cut-every"),
                           QStringLiteral("3")}
            << QList<int>{0, 4};
    }
    void savesTheCountAskedForAndPrintsEachPath()
    {
        QFETCH(QStringList, misbehaviour);
        QFETCH(QList<int>, saved);
        const int copies = saved.last() + 1;
        test::SimulatedDevice device;
        const QString line =
            device.start(QStringList{QStringLiteral("--count"), QString::number(copies), QStringLiteral("--pause"),
                                     QStringLiteral("200"), QStringLiteral("--save-sent"), sentFile()} +
                         misbehaviour);
        start({QStringLiteral("--device"), line, QStringLiteral("--count"), QStringLiteral("2"),
               QStringLiteral("--timeout"), QStringLiteral("1")});
        QCOMPARE(finish(), 0);
        const QStringList paths = printedPaths();
        QCOMPARE(paths.size(), 2);
        const QByteArray sent = test::readFileBytes(sentFile());
        QCOMPARE(sent.size(), copies * 153600);
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(paths.at(i).startsWith(folder() + u'/') && paths.at(i).endsWith(QStringLiteral(".bmp")),
                     qPrintable(paths.at(i)));
            QVERIFY(test::readFileBytes(paths.at(i)) == pictureFile(sent.mid(saved.at(i) * 153600, 153600)));
        }
        QCOMPARE(leftInFolder().size(), 2);
    }

    void writesTheSamePixelsEnlarged_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("scale");
        QTest::newRow("png") << "png" << 1;
        QTest::newRow("png at 3x") << "png" << 3;
        QTest::newRow("bmp at 2x") << "bmp" << 2;
    }
    void writesTheSamePixelsEnlarged()
    {
        QFETCH(QString, format);
        QFETCH(int, scale);
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--save-sent"), sentFile()});
        start({QStringLiteral("--device"), line, QStringLiteral("--count"), QStringLiteral("1"),
               QStringLiteral("--format"), format, QStringLiteral("--scale"), QString::number(scale)});
        QCOMPARE(finish(), 0);
        const QStringList paths = printedPaths();
        QCOMPARE(paths.size(), 1);
        QVERIFY(paths.first().endsWith(u'.' + format));
        // The bitmap the window would write, read back by Qt, pixel for pixel in each block.
        QTemporaryFile bitmap(m_scratch.filePath(QStringLiteral("XXXXXX.bmp")));
        QVERIFY(bitmap.open());
        bitmap.write(pictureFile(test::readFileBytes(sentFile())));
        bitmap.close();
        const QString fault =
            test::enlargementFault(QImage(paths.first()).convertToFormat(QImage::Format_RGB32),
                                   QImage(bitmap.fileName()).convertToFormat(QImage::Format_RGB32), scale);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        if (format == QLatin1String("png")) {
            const QString facts = test::pngFactsFault(paths.first(), line);
            QVERIFY2(facts.isEmpty(), qPrintable(facts));
        }
    }

    void stopSignalInTheMiddleLeavesNothing_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP: the ssh connection dropped") << SIGHUP;
    }
    void stopSignalInTheMiddleLeavesNothing()
    {
        QFETCH(int, signalNumber);
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--stop-after"), QStringLiteral("50000")});
        start({QStringLiteral("--device"), line});
        QVERIFY(
            QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("止められるまで黙ります")); }, 10000));
        QTest::qWait(100); // the receiver takes what was sent
        ::kill(pid_t(capture.processId()), signalNumber);
        QCOMPARE(finish(5000), 0);
        QCOMPARE(printedPaths(), QStringList());
        QCOMPARE(leftInFolder(), QStringList()); // no picture and no temporary file
        for (const QString &lock : lockFileCandidates(line))
            QVERIFY2(!QFile::exists(lock), qPrintable(lock));
    }

    void lostLineEndsWithItsOwnStatus()
    {
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--hangup-after"), QStringLiteral("50000")});
        const double cpuBefore = test::endedChildrenCpuSeconds();
        start({QStringLiteral("--device"), line});
        QCOMPARE(finish(), 5);
        // Asleep while waiting, also once the line is gone (with the device's own share).
        QVERIFY(test::endedChildrenCpuSeconds() - cpuBefore < 0.5);
        QVERIFY(QString::fromLocal8Bit(capture.readAllStandardError())
                    .contains(texts::kLineLostWhileReceiving.section(u'\n', 0, 0)));
        QCOMPARE(leftInFolder(), QStringList());
    }

    // The adapter is pulled out mid-picture and plugged in again under its stable name.
    void keepGoingWaitsForTheDeviceToComeBack()
    {
        const QString link = m_scratch.filePath(QStringLiteral("usb-Maker_A-if00-port0"));
        QFile::remove(link);
        test::SimulatedDevice first;
        QVERIFY(QFile::link(first.start({QStringLiteral("--stop-after"), QStringLiteral("50000")}), link));
        start({QStringLiteral("--device"), link, QStringLiteral("--keep-going"), QStringLiteral("--count"),
               QStringLiteral("1")});
        QString said;
        const auto saying = [&](const QString &text) {
            return QTest::qWaitFor(
                [&] { return (said += QString::fromLocal8Bit(capture.readAllStandardError())).contains(text); }, 15000);
        };
        // The link goes before the line hangs up: a freed pseudo-terminal's
        // number is soon another test's, which the link would then name.
        QVERIFY(QTest::qWaitFor([&] { return first.log().contains(QStringLiteral("黙ります")); }, 15000));
        QVERIFY(QFile::remove(link));
        first.stop();
        QVERIFY(saying(QStringLiteral(": デバイスがなくなりました。")));
        QTest::qWait(300);
        QVERIFY(capture.state() == QProcess::Running);
        test::SimulatedDevice second;
        const QString line = second.start({QStringLiteral("--save-sent"), sentFile()});
        // Back, but held for a moment, as ModemManager probes a new port.
        QProcess holder;
        holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(holder.waitForStarted());
        QFile lock(lockFileCandidates(line).first());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(holder.processId()) + "\nsleep\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();
        QVERIFY(QFile::link(line, link));
        QVERIFY(saying(texts::kPortInUse));
        QTest::qWait(2500); // tried again twice meanwhile
        QVERIFY(lock.remove());
        holder.kill();
        holder.waitForFinished();
        QCOMPARE(finish(), 0);
        const QStringList paths = printedPaths();
        QCOMPARE(paths.size(), 1);
        QVERIFY(test::readFileBytes(paths.first()) == pictureFile(test::readFileBytes(sentFile())));
        said += QString::fromLocal8Bit(capture.readAllStandardError());
        QCOMPARE(said.count(QStringLiteral("デバイスがなくなりました")), 1);
        QCOMPARE(said.count(texts::kPortInUse), 1);
        QVERIFY2(said.contains(link + QStringLiteral(": デバイスが戻りました。")), qPrintable(said));
    }

    void missingPortEndsWithItsOwnStatus()
    {
        start({QStringLiteral("--device"), m_scratch.filePath(QStringLiteral("no-such-port"))});
        QCOMPARE(finish(), 3);
        const QString said = QString::fromLocal8Bit(capture.readAllStandardError());
        QVERIFY2(said.contains(texts::kPortUnusable), qPrintable(said));
    }

    void badCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("port out of range") << QStringList{"--port", "9"} << "--port は 1 から 8 までです: 9";
        QTest::newRow("device and port") << QStringList{"--device", "/dev/null", "--port", "1"}
                                         << "--device と --port は一緒に使えません";
        QTest::newRow("negative count") << QStringList{"--count", "-1"} << "--count は 0 以上の整数です: -1";
        QTest::newRow("zero timeout") << QStringList{"--timeout", "0"} << "--timeout は 0 より大きい秒数です: 0";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "不明なオプションです: --bogus";
        QTest::newRow("value missing") << QStringList{"--device"} << "--device の後に値がありません";
        QTest::newRow("number missing") << QStringList{"--scale"} << "--scale の後に値がありません";
        QTest::newRow("value not taken") << QStringList{"--keep-going=yes"} << "--keep-going は値を取りません";
        QTest::newRow("unknown format") << QStringList{"--format", "jpeg"} << "--format は bmp か png です: jpeg";
        for (const char *scale : {"0", "9", "2.5"})
            QTest::addRow("scale %s", scale)
                << QStringList{"--scale", scale} << QStringLiteral("--scale は 1 から 8 までの整数です: %1").arg(scale);
    }
    void badCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        capture.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-capture")), arguments);
        QCOMPARE(finish(), 2);
        QCOMPARE(QString::fromLocal8Bit(capture.readAllStandardError()).section(u'\n', 0, 0),
                 QStringLiteral("velsnap-capture: ") + said);
    }

    // The other tools refuse as they always have: status 2, nothing on stdout,
    // and the first line on stderr says why.
    void toolsRefuseBadCommandLines_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        const auto device = [](const char *name, const QStringList &arguments, const QString &said) {
            QTest::newRow(name) << QStringLiteral("velsnap-device") << arguments
                                << QStringLiteral("velsnap-device: ") + said;
        };
        device("count not a number", {"--count", "x"}, "--count: 0 から 2147483647 までの整数を指定してください: 'x'");
        device("count signed", {"--count=+5"}, "--count: 0 から 2147483647 までの整数を指定してください: '+5'");
        device("leftover too long", {"--leftover", "4001"},
               "--leftover: 0 から 4000 までの整数を指定してください: '4001'");
        device("stop after the picture", {"--stop-after", "153601"},
               "--stop-after: 0 から 153600 までの整数を指定してください: '153601'");
        device("header kind", {"--header", "MI500"},
               "--header: normal、mi500、bad のどれかを指定してください: 'MI500'");
        device("stop and hang up", {"--stop-after", "1", "--hangup-after", "1"},
               "--stop-after と --hangup-after は一緒に使えません");
        device("late extra, last header normal", {"--header", "mi500", "--late-extra", "5", "--header", "normal"},
               "--late-extra には --header mi500 が必要です");
        device("unknown option", {"--bogus"}, "不明なオプションです: --bogus");
        device("value missing", {"--pause"}, "--pause の後に値がありません");
        device("extra argument", {"foo", "bar"}, "余分な引数です: foo");
        device("help with a wrong value", {"--help", "--count", "-1"},
               "--count: 0 から 2147483647 までの整数を指定してください: '-1'");
        device("first of two counts wrong", {"--count", "x", "--count", "1"},
               "--count: 0 から 2147483647 までの整数を指定してください: 'x'");
        const QString usage = QStringLiteral("使い方: velsnap-ports [--list | --check [COM n | デバイス]]");
        const QString ports = QStringLiteral("velsnap-ports");
        QTest::newRow("ports: unknown option") << ports << QStringList{"--bogus"} << usage;
        QTest::newRow("ports: list and more") << ports << QStringList{"--list", "COM1"} << usage;
        QTest::newRow("ports: two options") << ports << QStringList{"--help", "--version"} << usage;
        QTest::newRow("ports: check after the port") << ports << QStringList{"COM3", "--check"} << usage;
        QTest::newRow("ports: no such COM")
            << ports << QStringList{"--check", "COM", "9"} << QStringLiteral("velsnap-ports: 使えない引数です: COM 9");
    }
    void toolsRefuseBadCommandLines()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        capture.start(QDir(test::binFolder()).filePath(program), arguments);
        QCOMPARE(finish(), 2);
        QCOMPARE(capture.readAllStandardOutput(), QByteArray());
        QCOMPARE(QString::fromLocal8Bit(capture.readAllStandardError()).section(u'\n', 0, 0), said);
    }

    void folderThatIsAPlainFile()
    {
        QFile blocker(m_scratch.filePath(QStringLiteral("plain")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        capture.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-capture")),
                      {QStringLiteral("--device"), QStringLiteral("/dev/null"), QStringLiteral("--folder"),
                       blocker.fileName() + QStringLiteral("/shots")});
        QCOMPARE(finish(), 6);
        QVERIFY(QString::fromLocal8Bit(capture.readAllStandardError())
                    .endsWith(QString::fromLocal8Bit(std::strerror(ENOTDIR)) + u'\n'));
    }

    // Every command answers --help and --version on stdout with no display,
    // so without opening a window; the window's help says where things go.
    void everyCommandAnswersHelpAndVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("told");
        const QString settings = QDir::toNativeSeparators(qEnvironmentVariable("XDG_CONFIG_HOME")) + u'/';
        for (const char *name : {"velsnap", "velsnap-ports", "velsnap-capture", "velsnap-device"}) {
            const QString program = QString::fromLatin1(name);
            QTest::addRow("%s --version", name)
                << program << QStringLiteral("--version") << QStringList{program + QStringLiteral(" 3.0\n")};
            QTest::addRow("%s --help", name) << program << QStringLiteral("--help") << QStringList{program};
        }
        QTest::newRow("velsnap --help: folders")
            << QStringLiteral("velsnap") << QStringLiteral("--help")
            << QStringList{QDir::toNativeSeparators(test::binFolder() + QStringLiteral("/bmp/")),
                           settings + QStringLiteral("Velmora.ini")};
    }
    void everyCommandAnswersHelpAndVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QStringList, told);
        QProcess process;
        process.setProcessEnvironment(withoutDisplay());
        process.start(QDir(test::binFolder()).filePath(program), {option});
        QVERIFY(process.waitForFinished(10000));
        const QString said = QString::fromLocal8Bit(process.readAllStandardOutput());
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(QString::fromLocal8Bit(process.readAllStandardError())));
        QVERIFY2(said.endsWith(u'\n'), qPrintable(said));
        for (const QString &text : told)
            QVERIFY2(said.contains(text), qPrintable(said));
    }

    void badHeaderIsToldAndTheNextCopyIsSaved()
    {
        test::PtyPair pty;
        start({QStringLiteral("--device"), pty.slavePath(), QStringLiteral("--count"), QStringLiteral("1")});
        // Sends the first byte until the receiver answers: it may just be reopening the port.
        const auto begin = [&](char first) {
            return QTest::qWaitFor(
                [&] { return pty.slaveOpen() && pty.write(QByteArray(1, first)) && pty.read(3, 200) == "OK\r"; },
                10000);
        };
        const QByteArray bad = QByteArray("hzaurus").leftJustified(25, ' ');
        QVERIFY(begin(bad.at(0)));
        QVERIFY(pty.write(bad.mid(1)));
        const QByteArray pixels = test::noiseBytes(3);
        const QByteArray good = QByteArray("HZAURUS").leftJustified(25, ' ');
        QVERIFY(begin(good.at(0)));
        QVERIFY(pty.write(good.mid(1) + pixels));
        QCOMPARE(finish(), 0);
        const QStringList paths = printedPaths();
        QCOMPARE(paths.size(), 1);
        QVERIFY(test::readFileBytes(paths.first()) == pictureFile(pixels));
        QVERIFY(QString::fromLocal8Bit(capture.readAllStandardError())
                    .contains(pty.slavePath() + QStringLiteral(": ") + texts::kNotScreenCopy));
    }

    void progressBar_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing yet") << qint64(0) << qint64(0)
                                     << QStringLiteral("[--------------------]       0/153600 バイト");
        QTest::newRow("half at 5.6 KB/s")
            << qint64(76800) << qint64(13393)
            << QStringLiteral("[##########----------]   76800/153600 バイト  5.6 KB/s  残り 0:14");
        QTest::newRow("done") << qint64(153600) << qint64(26786)
                              << QStringLiteral("[####################]  153600/153600 バイト  5.6 KB/s  残り 0:00");
    }
    void progressBar()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, shown);
        QCOMPARE(velsnap::progressBar(received, 153600, elapsedMs), shown);
    }
};

VELSNAP_CORE_TEST_MAIN(CaptureTest)
#include "test_capture.moc"
