// Which device a port number means, and what the user is told when it cannot
// be opened: mapping tables, real pseudo-terminals, and opens by an
// unprivileged user as one meets them on a desktop.
#include "platform/linux/port_holder.h"
#include "platform/port_search.h"
#include "serial/device_serial_line.h"
#include "serial/port_mapping.h"
#include "serial/port_settings.h"
#include "serial/stable_links.h"
#include "support/expected_picture.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QTextStream>
#include <algorithm>
#include <fcntl.h>
#include <grp.h>
#include <numeric>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace velsnap;

namespace {

const QString kPortUnusable = QStringLiteral("指定されたシリアルポートは使えません");
const QString kPortInUse = QStringLiteral("指定されたシリアルポートは現在使用中です");
const QString kWaiting = QStringLiteral("受信待機中です");

// "uart:/dev/ttyS0", "usb:/dev/ttyUSB0=/dev/serial/by-id/usb-X" (by-id name after "=").
std::vector<FoundPort> portsFrom(const QStringList &entries)
{
    std::vector<FoundPort> ports;
    for (const QString &entry : entries) {
        FoundPort port;
        port.onBoard = entry.startsWith(QStringLiteral("uart:"));
        const QStringList paths = entry.section(u':', 1).split(u'=');
        port.systemPath = paths.at(0);
        port.byIdPath = paths.value(1);
        ports.push_back(port);
    }
    return ports;
}

// One screen copy: a 25-byte header with the marker, then 153600 pixel bytes.
QByteArray screenCopy(const QByteArray &pixels)
{
    return QByteArray("HZAURUS").leftJustified(25, ' ') + pixels;
}

QByteArray testPixels()
{
    QByteArray pixels(153600, Qt::Uninitialized);
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char((i * 7 + i / 640) & 0xFF);
    return pixels;
}

// This test program, run as user nobody, opening `device` as the program
// does; gives back the result and the second line it would show.
struct UnprivilegedOpen {
    int result = -1;
    QString reason;
};

QStringList asNobody(const QStringList &arguments)
{
    return QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                       QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath()} +
           arguments;
}

UnprivilegedOpen openAsNobody(const QString &device)
{
    QProcess child;
    child.start(QStringLiteral("setpriv"), asNobody({QStringLiteral("--try-open"), device}));
    if (!child.waitForFinished(20000))
        return {};
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    return {lines.value(0).toInt(), lines.value(1)};
}

// Modes this program runs in for the tests above, as another user.
int childMode(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString device = QString::fromLocal8Bit(argv[2]);
    QTextStream out(stdout);
    if (mode == QStringLiteral("--try-open")) {
        DeviceSerialLine line([device](int) { return device; }, [] { return QStringLiteral("1"); });
        const OpenResult result = line.openPort();
        out << int(result) << '\n' << line.openFailureReason() << '\n';
        return 0;
    }
    // --hold: keep the device open with the exclusive flag until stdin closes.
    const int fd = ::open(argv[2], O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 || ::ioctl(fd, TIOCEXCL) != 0)
        return 1;
    out << "holding" << Qt::endl;
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}

} // namespace

class PortsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowFixture> fixture;
    QTemporaryDir scratch;

    void startWith(const QString &device)
    {
        fixture->storeSetting(kPortsSection, QStringLiteral("COM1"), device);
        fixture->storeSetting(kSnapSection, kPortKey, QStringLiteral("1"));
        fixture->window().init_form();
    }

private slots:
    void init() { fixture = std::make_unique<test::WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void deviceForPort_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QStringList>("mapping"); // "n=path"
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("source");
        const QStringList none;
        const QStringList usbA{QStringLiteral("usb:/dev/ttyUSB1=/dev/serial/by-id/usb-Alpha")};
        const QStringList mixed{QStringLiteral("usb:/dev/ttyUSB0=/dev/serial/by-id/usb-Zeta"),
                                QStringLiteral("uart:/dev/ttyS10"), QStringLiteral("usb:/dev/ttyACM0"),
                                QStringLiteral("uart:/dev/ttyS2"),
                                QStringLiteral("usb:/dev/ttyUSB1=/dev/serial/by-id/usb-Alpha")};
        const int mapped = int(PortSource::Mapped);
        const int found = int(PortSource::Found);
        const int fallback = int(PortSource::Fallback);

        QTest::newRow("mapped port") << 1 << QStringList{"1=/dev/ttyUSB7"} << mixed << "/dev/ttyUSB7" << mapped;
        QTest::newRow("mapping trimmed") << 2 << QStringList{"2= /dev/ttyUSB0 "} << none << "/dev/ttyUSB0" << mapped;
        QTest::newRow("mapping naming a missing device")
            << 3 << QStringList{"3=/dev/serial/by-id/usb-Gone"} << usbA << "/dev/serial/by-id/usb-Gone" << mapped;
        QTest::newRow("empty mapping is automatic")
            << 1 << QStringList{"1="} << usbA << "/dev/serial/by-id/usb-Alpha" << found;
        QTest::newRow("found port by its by-id name") << 1 << none << usbA << "/dev/serial/by-id/usb-Alpha" << found;
        QTest::newRow("found port without by-id name")
            << 1 << none << QStringList{"usb:/dev/ttyACM0"} << "/dev/ttyACM0" << found;
        QTest::newRow("fewer ports than n") << 3 << none << usbA << "/dev/ttyS2" << fallback;
        QTest::newRow("no ports at all") << 1 << none << none << "/dev/ttyS0" << fallback;
        QTest::newRow("COM 8 with no ports") << 8 << none << none << "/dev/ttyS7" << fallback;
        QTest::newRow("UARTs first, by number") << 1 << none << mixed << "/dev/ttyS2" << found;
        QTest::newRow("ttyS10 after ttyS2") << 2 << none << mixed << "/dev/ttyS10" << found;
        QTest::newRow("then by-id order, not plug order")
            << 3 << none << mixed << "/dev/serial/by-id/usb-Alpha" << found;
        QTest::newRow("by-id Zeta after Alpha") << 4 << none << mixed << "/dev/serial/by-id/usb-Zeta" << found;
        QTest::newRow("ports without by-id name last") << 5 << none << mixed << "/dev/ttyACM0" << found;
        QTest::newRow("a mapping does not renumber the others")
            << 2 << QStringList{"1=/dev/ttyUSB9"} << mixed << "/dev/ttyS10" << found;
        QTest::newRow("mixed, more ports asked than found") << 6 << none << mixed << "/dev/ttyS5" << fallback;
        QTest::newRow("port 0 names nothing") << 0 << QStringList{"0=/dev/x"} << mixed << "" << int(PortSource::None);
        QTest::newRow("port -1 names nothing") << -1 << none << mixed << "" << int(PortSource::None);
    }
    void deviceForPort()
    {
        QFETCH(int, port);
        QFETCH(QStringList, mapping);
        QFETCH(QStringList, found);
        QFETCH(QString, device);
        QFETCH(int, source);
        PortMapping stored;
        for (const QString &entry : std::as_const(mapping))
            stored[entry.section(u'=', 0, 0).toInt()] = entry.section(u'=', 1);
        // Whatever order the machine lists its ports in.
        std::vector<FoundPort> ports = portsFrom(found);
        std::vector<int> order(ports.size());
        std::iota(order.begin(), order.end(), 0);
        do {
            std::vector<FoundPort> listed;
            for (int index : order)
                listed.push_back(ports.at(std::size_t(index)));
            const PortAssignment assignment = assignPort(port, stored, listed);
            QCOMPARE(assignment.device, device);
            QCOMPARE(int(assignment.source), source);
            QCOMPARE(velsnap::deviceForPort(port, stored, listed), device);
        } while (std::next_permutation(order.begin(), order.end()));
    }

    void stableLinksLeadToTheirDevices()
    {
        QTemporaryDir folder;
        const QString device = folder.filePath(QStringLiteral("ttyUSB0"));
        QVERIFY(QFile(device).open(QIODevice::WriteOnly));
        QDir links(folder.filePath(QStringLiteral("by-id")));
        QVERIFY(links.mkpath(QStringLiteral(".")));
        QVERIFY(QFile::link(device, links.filePath(QStringLiteral("usb-Maker_Cable_B-if00-port0"))));
        QVERIFY(QFile::link(device, links.filePath(QStringLiteral("usb-Maker_Cable_A-if00-port0"))));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone")), links.filePath(QStringLiteral("usb-Gone"))));
        // Real by-id links are relative and lead to device nodes.
        QVERIFY(QFile::link(links.relativeFilePath(QStringLiteral("/dev/null")),
                            links.filePath(QStringLiteral("usb-Null"))));
        const QHash<QString, QString> found = stableLinks(links.path());
        QCOMPARE(found.size(), 2); // the link to nothing leads nowhere
        QCOMPARE(found.value(QStringLiteral("/dev/null")), links.filePath(QStringLiteral("usb-Null")));
        QCOMPARE(found.value(QFileInfo(device).canonicalFilePath()),
                 links.filePath(QStringLiteral("usb-Maker_Cable_A-if00-port0")));
    }

    void storedChoicesRoundTrip()
    {
        fixture->storeSetting(kSnapSection, kPortKey, QStringLiteral("3"));
        SettingsStore store;
        store.write(kPortsSection, QStringLiteral("COM12"), QStringLiteral("/dev/ttyUSB4"));
        store.write(kPortsSection, QStringLiteral("com3"), QStringLiteral("/dev/ignored"));
        store.write(kPortsSection, QStringLiteral("COMX"), QStringLiteral("/dev/ignored"));
        storePortChoice(store, 2, QStringLiteral(" /dev/serial/by-id/usb-A "));
        QCOMPARE(readPortMapping(store),
                 (PortMapping{{2, QStringLiteral("/dev/serial/by-id/usb-A")}, {12, QStringLiteral("/dev/ttyUSB4")}}));
        storePortChoice(store, 2, QString()); // back to automatic
        QCOMPARE(readPortMapping(store), (PortMapping{{12, QStringLiteral("/dev/ttyUSB4")}}));
        QVERIFY(!store.keys(kPortsSection).contains(QStringLiteral("COM2")));
        QCOMPARE(store.read(kSnapSection, kPortKey, QString()), QStringLiteral("3"));
    }

    void mappingToASymlinkReceivesExactly()
    {
        test::SimulatedDevice device;
        const QString sent = scratch.filePath(QStringLiteral("sent.bin"));
        const QString line = device.start({QStringLiteral("--save-sent"), sent});
        QVERIFY(!line.isEmpty());
        const QString link = scratch.filePath(QStringLiteral("usb-Maker_Cable_0001-if00-port0"));
        QVERIFY(QFile::link(line, link));
        startWith(link);
        QVERIFY(fixture->receiveUntil([&] { return fixture->pictureFiles().size() == 1; }));
        QVERIFY(fixture->dialogs.messages.isEmpty());
        const QByteArray file = test::readFileBytes(fixture->pictureFolder() + u'/' + fixture->pictureFiles().first());
        QCOMPARE(file.size(), 230454);
        QVERIFY(file.mid(54) == test::expectedPixelData(test::readFileBytes(sent)));
    }

    void notASerialPort_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("/dev/null") << "null"
                                   << " はシリアルポートではありません（端末として使えないデバイスです）";
        QTest::newRow("plain file") << "file"
                                    << " は普通のファイルで、シリアルポートではありません";
        QTest::newRow("folder") << "folder"
                                << " はフォルダーで、シリアルポートではありません";
        QTest::newRow("missing") << "missing"
                                 << " がありません。ケーブルとアダプタの接続を確かめ";
    }
    void notASerialPort()
    {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        QString device = QStringLiteral("/dev/null");
        if (kind == QStringLiteral("file")) {
            device = scratch.filePath(QStringLiteral("notes.txt"));
            QVERIFY(QFile(device).open(QIODevice::WriteOnly));
        } else if (kind == QStringLiteral("folder")) {
            device = scratch.path();
        } else if (kind == QStringLiteral("missing")) {
            device = QStringLiteral("/dev/serial/by-id/usb-Unplugged-if00-port0");
        }
        startWith(device);
        fixture->receiveUntil([] { return false; }, 5000);
        QCOMPARE(fixture->dialogs.messages, QStringList{kPortUnusable});
        QVERIFY2(fixture->dialogs.details.first().contains(device + cause),
                 qPrintable(fixture->dialogs.details.first()));
    }

    void bytesWaitingBeforeTheOpenAreDiscarded()
    {
        // Keep the slave open here, so that the stale bytes surely sit in its
        // input queue (poll says so) when the program opens the port.
        test::PtyPair pty;
        const int watcher = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(watcher >= 0);
        QVERIFY(pty.write(QByteArray("HZAURUS stale line noise", 24)));
        pollfd queued{watcher, POLLIN, 0};
        QCOMPARE(::poll(&queued, 1, 5000), 1);

        const QByteArray pixels = testPixels();
        std::thread sender;
        startWith(pty.slavePath());
        const bool saved = fixture->receiveUntil([&] {
            // The device starts its copy once the program waits for one.
            if (!sender.joinable() && fixture->text("lbl_status") == kWaiting)
                sender = std::thread([&] { pty.write(screenCopy(pixels)); });
            return fixture->pictureFiles().size() == 1;
        });
        if (sender.joinable())
            sender.join();
        ::close(watcher);
        QVERIFY(saved);
        QVERIFY(fixture->dialogs.messages.isEmpty());
        const QByteArray file = test::readFileBytes(fixture->pictureFolder() + u'/' + fixture->pictureFiles().first());
        QVERIFY(file.mid(54) == test::expectedPixelData(pixels));
    }

    void refusedAsAUserMeetsIt_data()
    {
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("cause");
        QTest::newRow("mode 600, owned by root")
            << "root" << 0600 << " を開く権限がありません（所有者 root、グループ root、アクセス権 600）";
        QTest::newRow("group dialout, not a member")
            << "dialout" << 0660
            << " を開く権限がありません。このデバイスはグループ dialout のものです。"
               "sudo usermod -aG dialout $USER を実行してから、ログインし直してください。";
    }
    void refusedAsAUserMeetsIt()
    {
        if (::geteuid() != 0)
            QSKIP("changing owners and acting as another user needs root, as CI runs");
        QFETCH(QString, groupName);
        QFETCH(int, mode);
        QFETCH(QString, cause);
        const struct group *owner = ::getgrnam(groupName.toLocal8Bit().constData());
        if (!owner)
            QSKIP("this machine has no such group");
        test::PtyPair pty;
        const QByteArray path = QFile::encodeName(pty.slavePath());
        QCOMPARE(::chown(path.constData(), 0, owner->gr_gid), 0);
        QCOMPARE(::chmod(path.constData(), mode_t(mode)), 0);
        const UnprivilegedOpen open = openAsNobody(pty.slavePath());
        QCOMPARE(open.result, int(OpenResult::Unusable));
        QVERIFY2(open.reason.contains(pty.slavePath() + cause), qPrintable(open.reason));
    }

    void inUseAsAUserMeetsIt_data()
    {
        QTest::addColumn<bool>("holderIsNobody");
        QTest::newRow("held by a program of the same user") << true;
        QTest::newRow("held by another user's program") << false;
    }
    void inUseAsAUserMeetsIt()
    {
        if (::geteuid() != 0)
            QSKIP("changing owners and acting as another user needs root, as CI runs");
        QFETCH(bool, holderIsNobody);
        test::PtyPair pty;
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0666), 0);
        QProcess holder;
        holder.start(holderIsNobody ? QStringLiteral("setpriv") : QCoreApplication::applicationFilePath(),
                     holderIsNobody ? asNobody({QStringLiteral("--hold"), pty.slavePath()})
                                    : QStringList{QStringLiteral("--hold"), pty.slavePath()});
        QVERIFY(holder.waitForReadyRead(20000));
        QCOMPARE(holder.readAllStandardOutput(), QByteArray("holding\n"));

        const qint64 holderPid = holder.processId();
        const UnprivilegedOpen open = openAsNobody(pty.slavePath());
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(20000));
        QCOMPARE(open.result, int(OpenResult::InUse));
        // Only one's own processes can be looked into.
        const QString who =
            holderIsNobody ? QStringLiteral(": test_ports（プロセス番号 %1）。").arg(holderPid) : QString();
        QVERIFY2(open.reason.startsWith(pty.slavePath() + QStringLiteral(" はほかのプログラムが使用中です") + who),
                 qPrintable(open.reason));
        QVERIFY2(open.reason.contains(QStringLiteral("そのプログラムを終了してから")), qPrintable(open.reason));
    }

    void lockFileNamesItsHolder_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("pid"); // 0: names nobody
        QTest::addColumn<QString>("program");
        QTest::newRow("Qt's, with the program") << QByteArray("4194000\nminicom\nhost\n") << 4194000LL << "minicom";
        QTest::newRow("padded, name after it") << QByteArray("   4194001 cu\n") << 4194001LL << "cu";
        QTest::newRow("no number") << QByteArray("ghost\n") << 0LL << QString();
        QTest::newRow("zero") << QByteArray("0\n") << 0LL << QString();
        // kill() would read these as process 0 and -1: this group, everyone.
        QTest::newRow("2^32") << QByteArray("4294967296\n") << 0LL << QString();
        QTest::newRow("2^32 - 1") << QByteArray("4294967295\n") << 0LL << QString();
    }
    void lockFileNamesItsHolder()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, pid);
        QFETCH(QString, program);
        QTemporaryFile lock;
        QVERIFY(lock.open());
        lock.write(content);
        lock.close();
        const std::optional<PortHolder> holder = lockFileHolder(lock.fileName());
        QCOMPARE(holder ? holder->pid : 0, pid);
        if (holder) {
            QCOMPARE(holder->program, program);
            QVERIFY(!holder->running); // above any pid_max
        }
    }

    void staleLockOfAnotherUser()
    {
        if (::geteuid() != 0)
            QSKIP("changing owners and acting as another user needs root, as CI runs");
        // Left by a program of root's that crashed; nobody may not remove it.
        test::PtyPair pty;
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0666), 0);
        const QString lock = QStringLiteral("/run/lock/LCK..") + pty.slavePath().mid(5).replace(u'/', u'_');
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const qint64 deadPid = 4194303; // above any pid_max
        file.write(QStringLiteral("%1\nghost\n%2\n").arg(deadPid).arg(QSysInfo::machineHostName()).toUtf8());
        file.close();
        const UnprivilegedOpen open = openAsNobody(pty.slavePath());
        QFile::remove(lock);
        QCOMPARE(open.result, int(OpenResult::InUse));
        QVERIFY2(open.reason.contains(QStringLiteral("のロックファイル %1 が残っています").arg(lock)),
                 qPrintable(open.reason));
        QVERIFY2(open.reason.contains(QStringLiteral("sudo rm %1").arg(lock)), qPrintable(open.reason));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && (qstrcmp(argv[1], "--try-open") == 0 || qstrcmp(argv[1], "--hold") == 0))
        return childMode(argc, argv);
    velsnap::test::HeadlessEnvironment environment;
    QApplication app(argc, argv);
    PortsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ports.moc"
