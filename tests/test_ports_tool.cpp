// velsnap-ports: the table on the terminal without a display, and the window
// that stores each choice the moment it is made.
#include "column_fit.h"
#include "platform/port_search.h"
#include "ports_window.h"
#include "serial/port_doctor.h"
#include "serial/port_settings.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

using namespace velsnap;

namespace {

QString settingsPath(const QString &config)
{
    return QDir(config).filePath(QStringLiteral("Velmora.ini"));
}

std::vector<FoundPort> twoAdapters()
{
    FoundPort second{QStringLiteral("/dev/ttyUSB0"),
                     QStringLiteral("/dev/serial/by-id/usb-Maker_B-if00-port0"),
                     false,
                     QStringLiteral("USB シリアル B"),
                     QStringLiteral("Maker"),
                     QStringLiteral("B0002")};
    FoundPort first{QStringLiteral("/dev/ttyUSB1"),
                    QStringLiteral("/dev/serial/by-id/usb-Maker_A-if00-port0"),
                    false,
                    QStringLiteral("USB シリアル A"),
                    QStringLiteral("Maker"),
                    QStringLiteral("A0001")};
    return {second, first};
}

// A CP2102 adapter on /dev/ttyUSB0 as /sys, udev and /proc show it, with
// what `extras` adds: brltty or ModemManager running, brltty's rules naming
// the adapter, the udev tag, another process holding it.
FakeSystemView cp2102System(const QStringList &extras)
{
    FakeSystemView system;
    const QString usb = QStringLiteral("/sys/devices/pci0000:00/usb1/1-1");
    system.files = {{QStringLiteral("/sys/class/tty/ttyUSB0/dev"), QStringLiteral("188:0\n")},
                    {usb + QStringLiteral("/idVendor"), QStringLiteral("10c4\n")},
                    {usb + QStringLiteral("/idProduct"), QStringLiteral("ea60\n")},
                    {usb + QStringLiteral("/serial"), QStringLiteral("0001\n")},
                    {QStringLiteral("/proc/1/comm"), QStringLiteral("systemd\n")},
                    {QStringLiteral("/run/udev/data/c188:0"), QStringLiteral("E:ID_VENDOR=Silicon_Labs\n")}};
    system.links = {
        {QStringLiteral("/sys/class/tty/ttyUSB0/device"), usb + QStringLiteral("/1-1:1.0/ttyUSB0")},
        {usb + QStringLiteral("/1-1:1.0/ttyUSB0/driver"), QStringLiteral("/sys/bus/usb-serial/drivers/cp210x")},
        {QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102-0001-if00-port0"), QStringLiteral("/dev/ttyUSB0")}};
    for (const QString &daemon : {QStringLiteral("brltty"), QStringLiteral("ModemManager")}) {
        if (extras.contains(daemon))
            system.files[QStringLiteral("/proc/%1/comm").arg(daemon.size() * 100)] = daemon;
    }
    if (extras.contains(QStringLiteral("brltty rules")))
        system.files[QStringLiteral("/usr/lib/udev/rules.d/85-brltty.rules")] = QStringLiteral(
            "# CP210x\nENV{PRODUCT}==\"10c4/ea60/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\", GOTO=\"brltty_usb_run\"\n");
    if (extras.contains(QStringLiteral("tagged")))
        system.files[QStringLiteral("/run/udev/data/c188:0")] += QStringLiteral("E:ID_MM_DEVICE_IGNORE=1\n");
    if (extras.contains(QStringLiteral("held"))) {
        system.files[QStringLiteral("/proc/4242/comm")] = QStringLiteral("minicom\n");
        system.links[QStringLiteral("/proc/4242/fd/3")] = QStringLiteral("/dev/ttyUSB0");
    }
    return system;
}

} // namespace

class PortsToolTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

    // velsnap-ports --list with no display at all, on the settings in `config`.
    QStringList listWith(const QString &config)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // a window would fail here
        tool.setProcessEnvironment(environment);
        tool.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-ports")), {QStringLiteral("--list")});
        if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
            return {QStringLiteral("failed: ") + QString::fromLocal8Bit(tool.readAllStandardError())};
        return QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void doctorOnAMadeUpSystem_data()
    {
        QTest::addColumn<QStringList>("extras");
        QTest::addColumn<QString>("device"); // empty: the adapter is gone
        QTest::addColumn<QStringList>("problems");
        const QString adapter = QStringLiteral("/dev/ttyUSB0");
        QTest::newRow("adapter alone") << QStringList{} << adapter << QStringList{};
        QTest::newRow("brltty running, not for this adapter") << QStringList{"brltty"} << adapter << QStringList{};
        QTest::newRow("brltty claims it")
            << QStringList{"brltty", "brltty rules"} << adapter
            << QStringList{"brltty（点字ディスプレイのデーモン）が動いていて、このアダプタ（10c4:ea60）"};
        QTest::newRow("brltty running, adapter gone")
            << QStringList{"brltty"} << QString() << QStringList{"sudo systemctl mask brltty-udev.service"};
        QTest::newRow("ModemManager probes it")
            << QStringList{"ModemManager"} << adapter
            << QStringList{"ACTION==\"add|change\", SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10c4\", "
                           "ATTRS{idProduct}==\"ea60\", ENV{ID_MM_DEVICE_IGNORE}=\"1\""};
        QTest::newRow("ModemManager told to leave it")
            << QStringList{"ModemManager", "tagged"} << adapter << QStringList{};
        QTest::newRow("held by minicom") << QStringList{"held"} << adapter
                                         << QStringList{"minicom（プロセス番号 4242）"};
    }
    void doctorOnAMadeUpSystem()
    {
        QFETCH(QStringList, extras);
        QFETCH(QString, device);
        QFETCH(QStringList, problems);
        const std::vector<PortFinding> findings = examineSurroundings(device, 1, cp2102System(extras));
        QStringList found;
        QStringList facts;
        for (const PortFinding &finding : findings)
            (finding.problem ? found : facts) << finding.text;
        QCOMPARE(found.size(), problems.size());
        for (int i = 0; i < problems.size(); ++i)
            QVERIFY2(found.at(i).contains(problems.at(i)), qPrintable(found.at(i)));
        // A present adapter is always described, with the name that survives replugging.
        QCOMPARE(facts.join(u'\n').contains(QStringLiteral("ドライバー cp210x、ベンダー ID 10c4、プロダクト ID ea60、"
                                                           "シリアル番号 0001")),
                 !device.isEmpty());
        QCOMPARE(
            facts.join(u'\n').contains(QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102-0001-if00-port0")),
            !device.isEmpty());
    }

    void checkOnTheTerminal_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("pseudo-terminal") << "pty" << 0 << "はシリアルポートで、このユーザーが開けます。";
        QTest::newRow("missing device") << "missing" << 1 << "がありません。";
        QTest::newRow("held by another process")
            << "held" << 1 << "はほかのプロセスが開いています: sleep（プロセス番号 ";
    }
    void checkOnTheTerminal()
    {
        QFETCH(QString, kind);
        QFETCH(int, status);
        QFETCH(QString, said);
        test::PtyPair pty;
        QProcess holder;
        if (kind == QLatin1String("held")) {
            holder.setStandardInputFile(pty.slavePath());
            holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
            QVERIFY(holder.waitForStarted());
        }
        const QString device = kind == QLatin1String("missing") ? QStringLiteral("/dev/ttyUSB-none") : pty.slavePath();
        QProcess tool;
        tool.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-ports")),
                   {QStringLiteral("--check"), device});
        QVERIFY(tool.waitForFinished(20000));
        holder.kill();
        holder.waitForFinished();
        const QString report = QString::fromUtf8(tool.readAllStandardOutput());
        QCOMPARE(tool.exitCode(), status);
        QVERIFY2(report.startsWith(device + u'\n') && report.contains(device + u' ' + said), qPrintable(report));
    }

    void listOnTheTerminal_data()
    {
        QTest::addColumn<QByteArray>("settings"); // empty: no settings file at all
        QTest::newRow("no settings file") << QByteArray();
        QTest::newRow("COM 2 mapped") << QByteArray("[SNAP]\nport=2\n\n[Ports]\nCOM2=/dev/null\n");
    }
    void listOnTheTerminal()
    {
        QFETCH(QByteArray, settings);
        const QString config = scratch.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(config));
        if (!settings.isEmpty()) {
            QFile file(settingsPath(config));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(settings);
        }
        const QStringList lines = listWith(config);
        QCOMPARE(lines.size(), 8);
        const std::vector<FoundPort> found = findSerialPorts();
        for (int port = 1; port <= 8; ++port) {
            const QStringList fields = lines.at(port - 1).split(u'\t');
            QCOMPARE(fields.value(0), QStringLiteral("COM %1").arg(port));
            const bool mapped = !settings.isEmpty() && port == 2;
            QCOMPARE(fields.value(1), mapped ? QStringLiteral("/dev/null") : deviceForPort(port, {}, found));
            QCOMPARE(fields.value(2), mapped ? QStringLiteral("割り当て") : fields.value(2));
            QVERIFY(!fields.value(2).isEmpty());
        }
        if (!settings.isEmpty())
            QCOMPARE(lines.at(1).split(u'\t').value(3), QStringLiteral("シリアルポートではありません"));
        // Listing changes nothing, and makes no file where there was none.
        QCOMPARE(test::readFileBytes(settingsPath(config)), settings);
        QCOMPARE(QFileInfo::exists(settingsPath(config)), !settings.isEmpty());
    }

    void aPseudoTerminalIsShownUsable()
    {
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--count"), QStringLiteral("0")});
        QVERIFY(!line.isEmpty());
        const QString config = scratch.filePath(QStringLiteral("pty"));
        QVERIFY(QDir().mkpath(config));
        QFile file(settingsPath(config));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Ports]\nCOM1=" + line.toLocal8Bit() + "\n");
        file.close();
        QCOMPARE(listWith(config).value(0).section(u'\t', 1, 3), line + QStringLiteral("\t割り当て\t使えます"));
    }

    // The path dialog is Qt's own: its buttons come from Qt's Japanese texts.
    void pathDialogSpeaksJapanese()
    {
        speakJapanese(*qApp);
        PortsWindow window(twoAdapters);
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            for (const QPushButton *button : dialog->findChildren<QPushButton *>())
                buttons << button->text();
            dialog->close();
        });
        auto *choices = qobject_cast<QComboBox *>(window.table()->cellWidget(0, 1));
        emit choices->activated(choices->count() - 1); // "パスを入力…"
        QVERIFY2(buttons.contains(QStringLiteral("キャンセル")), qPrintable(buttons.join(u'|')));
    }

    void windowStoresEachChoiceAtOnce()
    {
        SettingsStore store;
        store.write(kSnapSection, kPortKey, QStringLiteral("1"));
        store.write(kPortsSection, QStringLiteral("COM3"), QStringLiteral("/dev/serial/by-id/usb-Gone"));
        PortsWindow window(twoAdapters);
        QTableWidget *table = window.table();
        QCOMPARE(table->rowCount(), 8);
        // Found in by-id order, whatever order they were listed in.
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("自動（見つかったポート）"));
        QCOMPARE(table->item(0, 4)->text(), QString()); // the device does not exist here
        auto choices = [&](int row) { return qobject_cast<QComboBox *>(table->cellWidget(row, 1)); };
        QCOMPARE(choices(0)->currentText(), QStringLiteral("自動: /dev/serial/by-id/usb-Maker_A-if00-port0"));
        QCOMPARE(choices(1)->currentText(), QStringLiteral("自動: /dev/serial/by-id/usb-Maker_B-if00-port0"));
        QCOMPARE(choices(2)->currentText(), QStringLiteral("/dev/serial/by-id/usb-Gone"));
        QCOMPARE(table->item(2, 2)->text(), QStringLiteral("割り当て"));
        QCOMPARE(table->item(2, 3)->text(), QStringLiteral("ありません"));
        QCOMPARE(table->item(3, 2)->text(), QStringLiteral("自動（見つからないため既定の名前）"));

        // COM 1 to the second adapter, picked from the list with the keyboard.
        QTest::keyClick(choices(0), Qt::Key_Down);
        QTest::keyClick(choices(0), Qt::Key_Down);
        QCOMPARE(readPortMapping(store).at(1), QStringLiteral("/dev/serial/by-id/usb-Maker_B-if00-port0"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("割り当て"));
        QCOMPARE(table->item(0, 5)->text(), QString()); // the path does not exist on this machine
        // COM 3 back to automatic.
        QTest::keyClick(choices(2), Qt::Key_Home);
        QCOMPARE(readPortMapping(store),
                 (PortMapping{{1, QStringLiteral("/dev/serial/by-id/usb-Maker_B-if00-port0")}}));
        QCOMPARE(table->item(2, 2)->text(), QStringLiteral("自動（見つからないため既定の名前）"));
        QCOMPARE(store.read(kSnapSection, kPortKey, QString()), QStringLiteral("1"));
    }

    void columnsShareTheRoom_data()
    {
        QTest::addColumn<std::vector<int>>("wanted");
        QTest::addColumn<int>("room");
        QTest::addColumn<std::vector<int>>("widths");
        QTest::newRow("all fit") << std::vector{50, 300, 80} << 500 << std::vector{50, 300, 80};
        QTest::newRow("one too wide") << std::vector{50, 600, 80} << 500 << std::vector{50, 370, 80};
        QTest::newRow("two share") << std::vector{50, 600, 400, 80} << 530 << std::vector{50, 200, 200, 80};
        QTest::newRow("all cut") << std::vector{100, 200} << 60 << std::vector{30, 30};
        QTest::newRow("no room") << std::vector{100, 200} << -5 << std::vector{0, 0};
    }
    void columnsShareTheRoom()
    {
        QFETCH(std::vector<int>, wanted);
        QFETCH(int, room);
        QFETCH(std::vector<int>, widths);
        QCOMPARE(fittedWidths(wanted, room), widths);
    }

    // Long device names: the window still opens within the screen, with
    // every column and button in view.
    void windowFitsTheScreen()
    {
        const auto longNames = [] {
            std::vector<FoundPort> ports = twoAdapters();
            for (FoundPort &port : ports)
                port.byIdPath += QStringLiteral("-Prolific_Technology_Inc._USB-Serial_Controller_ABCDEFGH12345678");
            return ports;
        };
        PortsWindow window(longNames);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget *table = window.table();
        QVERIFY(window.frameGeometry().width() <= window.screen()->availableGeometry().width());
        for (int column = 0; column < table->columnCount(); ++column) {
            QVERIFY(table->columnWidth(column) > 0);
            QVERIFY(table->columnViewportPosition(column) + table->columnWidth(column) <= table->viewport()->width());
        }
        QVERIFY2(table->cellWidget(0, 1)->sizeHint().width() > table->columnWidth(1),
                 "the names fit anyway: the case shows nothing");
        for (const QPushButton *button : window.findChildren<QPushButton *>())
            QVERIFY(window.rect().contains(QRect(button->mapTo(&window, QPoint()), button->size())));
    }
};

VELSNAP_TEST_MAIN(PortsToolTest)
#include "test_ports_tool.moc"
