// The serial line on real pseudo-terminals: opening, refusals, bytes, a lost line.
#include "platform/linux/open_failure.h"
#include "serial/device_serial_line.h"
#include "settings/stored_port.h"
#include "support/cpu_time.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cerrno>

using namespace velsnap;

namespace {

DeviceSerialLine lineTo(const QString &device)
{
    return DeviceSerialLine([device](int) { return device; }, [] { return storedPortText(SettingsStore()); });
}

bool waitForBytes(SerialLine &line, qint64 count)
{
    return QTest::qWaitFor([&] { return line.inBufferCount() >= count; }, 5000);
}

} // namespace

class SerialLineTest : public QObject {
    Q_OBJECT

private slots:
    void openRefusalsAreClassified_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("probeErrno");
        QTest::addColumn<int>("cause");
        QTest::addColumn<int>("result");
        const int terminal = DeviceProbe::Terminal;
        const int unusable = int(OpenResult::Unusable);
        const int inUse = int(OpenResult::InUse);
        QTest::newRow("no such device") << int(TtyOpenError::NoDevice) << int(DeviceProbe::Missing) << ENOENT
                                        << int(OpenCause::Missing) << unusable;
        QTest::newRow("permission denied")
            << int(TtyOpenError::System) << terminal << EACCES << int(OpenCause::NotAllowed) << unusable;
        QTest::newRow("kernel says busy")
            << int(TtyOpenError::System) << terminal << EBUSY << int(OpenCause::Held) << inUse;
        QTest::newRow("locked by another program")
            << int(TtyOpenError::Locked) << terminal << 0 << int(OpenCause::Held) << inUse;
        QTest::newRow("open already") << int(TtyOpenError::AlreadyOpen) << terminal << 0 << int(OpenCause::OpenHere)
                                      << inUse;
        QTest::newRow("no UART behind the node")
            << int(TtyOpenError::System) << terminal << EIO << int(OpenCause::NoHardware) << unusable;
        QTest::newRow("plain file") << int(TtyOpenError::System) << int(DeviceProbe::PlainFile) << 0
                                    << int(OpenCause::PlainFile) << unusable;
        QTest::newRow("folder") << int(TtyOpenError::System) << int(DeviceProbe::Folder) << 0 << int(OpenCause::Folder)
                                << unusable;
        QTest::newRow("not a terminal") << int(TtyOpenError::System) << int(DeviceProbe::NotTerminal) << 0
                                        << int(OpenCause::NotTerminal) << unusable;
        QTest::newRow("anything else") << int(TtyOpenError::System) << terminal << 0 << int(OpenCause::Unknown)
                                       << int(OpenResult::Failed);
    }
    void openRefusalsAreClassified()
    {
        QFETCH(int, error);
        QFETCH(int, kind);
        QFETCH(int, probeErrno);
        QFETCH(int, cause);
        QFETCH(int, result);
        const OpenCause found = classifyOpenFailure(TtyOpenError(error), {DeviceProbe::Kind(kind), probeErrno});
        QCOMPARE(int(found), cause);
        QCOMPARE(openResultFor(found), OpenResult(result));
    }

    void missingDeviceAndPlainFileAreRefused()
    {
        DeviceSerialLine missing = lineTo(QStringLiteral("/dev/pts/no-such-terminal"));
        QCOMPARE(missing.openPort(), OpenResult::Unusable);
        DeviceSerialLine unnamed = lineTo(QString());
        QCOMPARE(unnamed.openPort(), OpenResult::Unusable);
        QTemporaryFile file;
        QVERIFY(file.open());
        DeviceSerialLine plain = lineTo(file.fileName());
        QCOMPARE(plain.openPort(), OpenResult::Unusable);
        QVERIFY(!plain.portOpen());
    }

    void everyByteValuePassesBothWays()
    {
        test::PtyPair pty;
        DeviceSerialLine line = lineTo(pty.slavePath());
        QCOMPARE(line.openPort(), OpenResult::Opened); // although a pty has no DTR line
        QVERIFY(line.portOpen());

        QByteArray all;
        for (int value = 0; value < 256; ++value)
            all.append(char(value));
        QVERIFY(pty.write(all));
        QVERIFY(waitForBytes(line, 256));
        line.setInputLen(100);
        QByteArray received = line.input();
        QCOMPARE(received.size(), 100); // InputLen bounds a read
        line.setInputLen(1000);
        received += line.input(); // and a read takes only what is there
        QCOMPARE(received, all);
        QCOMPARE(line.input(), QByteArray());

        line.output(all);
        QCOMPARE(pty.read(256, 5000), all);
        line.closePort();
        QVERIFY(!line.portOpen());
    }

    void portHeldHereIsInUse_data()
    {
        QTest::addColumn<bool>("throughALink");
        QTest::newRow("same name") << false;
        // Root is not stopped by the kernel's exclusive mode: only the lock can tell.
        QTest::newRow("second name of the device") << true;
    }
    void portHeldHereIsInUse()
    {
        QFETCH(bool, throughALink);
        test::PtyPair pty;
        QTemporaryDir links;
        const QString link = links.filePath(QStringLiteral("ttyUSB0"));
        QVERIFY(QFile::link(pty.slavePath(), link));
        DeviceSerialLine first = lineTo(pty.slavePath());
        DeviceSerialLine second = lineTo(throughALink ? link : pty.slavePath());
        QCOMPARE(first.openPort(), OpenResult::Opened);
        QCOMPARE(second.openPort(), OpenResult::InUse);
        QCOMPARE(first.openPort(), OpenResult::InUse);
        first.closePort();
        QCOMPARE(second.openPort(), OpenResult::Opened);
    }

    void portHeldByAnotherProgramIsInUse()
    {
        // A second copy of the program, waiting for a device on the same line.
        test::PtyPair pty;
        QTemporaryDir folder;
        const QDir bin(test::binFolder());
        for (const QString &name : {QStringLiteral("velsnap"), QStringLiteral("24bit.hed")})
            QVERIFY(QFile::copy(bin.filePath(name), folder.filePath(name)));
        QTemporaryDir config;
        QDir().mkpath(config.path());
        QFile settings(config.filePath(QStringLiteral("Velmora.ini")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Ports]\nCOM1=" + pty.slavePath().toLocal8Bit() + "\n");
        settings.close();

        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        other.setProcessEnvironment(environment);
        other.start(folder.filePath(QStringLiteral("velsnap")), {});
        QVERIFY(other.waitForStarted());

        const auto tryOpen = [&] { return lineTo(pty.slavePath()).openPort(); }; // closed again at once
        QVERIFY(QTest::qWaitFor([&] { return pty.slaveOpen(); }, 20000));        // without racing its open
        DeviceSerialLine refused = lineTo(pty.slavePath());
        QCOMPARE(refused.openPort(), OpenResult::InUse);
        // Its lock file tells who it is.
        QCOMPARE(refused.openFailureReason(),
                 QStringLiteral("%1 はほかのプログラムが使用中です: velsnap（プロセス番号 %2）。"
                                "そのプログラムを終了してから、やり直してください。")
                     .arg(pty.slavePath())
                     .arg(other.processId()));
        other.kill();
        other.waitForFinished();
        QCOMPARE(tryOpen(), OpenResult::Opened); // the killed program's lock is stale
    }

    void lostLineClosesThePortWithoutSpinning()
    {
        test::PtyPair pty;
        DeviceSerialLine line = lineTo(pty.slavePath());
        QCOMPARE(line.openPort(), OpenResult::Opened);
        QVERIFY(pty.write("abc"));
        QVERIFY(waitForBytes(line, 3));
        pty.hangUp();
        QVERIFY(QTest::qWaitFor([&] { return line.lineLost(); }, 5000));
        QVERIFY(!line.portOpen());

        // With the port closed, the hang-up no longer raises errors in a tight loop.
        const double before = test::processCpuSeconds();
        QTest::qWait(500);
        QVERIFY2(test::processCpuSeconds() - before < 0.25, "the lost line keeps the process busy");

        test::PtyPair again;
        DeviceSerialLine reopened = lineTo(again.slavePath());
        QCOMPARE(reopened.openPort(), OpenResult::Opened);
        QVERIFY(!reopened.lineLost());
    }
};

VELSNAP_TEST_MAIN(SerialLineTest)
#include "test_serial_line.moc"
