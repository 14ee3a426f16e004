// Native Wayland: under Weston's headless compositor the real program opens
// its window through the Qt Wayland plugin and receives from the simulated
// device.
#include "support/program_copy.h"
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <csignal>

using namespace velsnap;

namespace {

// A compositor of its own, on a socket of its own in a private runtime folder.
class Weston {
public:
    bool start(const QString &runtimeFolder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        m_compositor.setProcessEnvironment(environment);
        m_compositor.setProcessChannelMode(QProcess::MergedChannels);
        m_compositor.start(QStringLiteral("weston"),
                           {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + kSocket,
                            QStringLiteral("--idle-time=0")});
        return m_compositor.waitForStarted() &&
               QTest::qWaitFor([&] { return QFileInfo::exists(runtimeFolder + u'/' + kSocket); }, 10000);
    }
    ~Weston() { stop(); }
    void stop()
    {
        if (m_compositor.state() == QProcess::NotRunning)
            return;
        m_compositor.terminate();
        m_compositor.waitForFinished();
    }
    static inline const QString kSocket = QStringLiteral("velsnap-test");

private:
    QProcess m_compositor;
};

// The program's environment for that compositor, without X11 to fall back on.
QProcessEnvironment onWayland(const test::ProgramCopy &copy, const QString &runtimeFolder)
{
    QProcessEnvironment environment = copy.environment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), Weston::kSocket);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    return environment;
}

} // namespace

class WaylandTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;
    Weston weston;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
            QSKIP("needs weston (scripts/install-deps.sh installs it)");
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    void init() { QVERIFY(weston.start(runtime.path())); }
    void cleanup() { weston.stop(); }

    void windowOpensAndReceives()
    {
        test::SimulatedDevice device;
        const QString line = device.start(
            {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")});
        QVERIFY(!line.isEmpty());
        const test::ProgramCopy copy(line);
        QProcessEnvironment environment = onWayland(copy, runtime.path());
        environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client")); // the protocol, on stderr

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(copy.program(), {});
        QVERIFY(QTest::qWaitFor(
            [&] { return !QDir(copy.pictureFolder()).entryList({QStringLiteral("*.bmp")}, QDir::Files).isEmpty(); },
            30000));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);

        // A top-level window with the program's caption, configured by the
        // compositor and given contents.
        const QString protocol = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(protocol.contains(QStringLiteral(".set_title(\"Velmora 画面コピープログラム (VELSNAP)  Ver3.0\")")),
                 qPrintable(protocol.left(4000)));
        QVERIFY(protocol.contains(QStringLiteral(".set_app_id(\"velsnap\")")));
        QVERIFY(protocol.contains(QStringLiteral(".ack_configure(")));
        // libwayland names objects wl_buffer@17 up to 1.21 (Debian 12), wl_buffer#17 since.
        QVERIFY(protocol.contains(QRegularExpression(QStringLiteral("\\.attach\\(wl_buffer[@#][0-9]+"))));
    }

    // Like the close box: the port is closed, so its lock file goes.
    void compositorGoesAwayInTheMiddleOfAPicture()
    {
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--stop-after"), QStringLiteral("50000")});
        QVERIFY(!line.isEmpty());
        const test::ProgramCopy copy(line);
        QProcess program;
        program.setProcessEnvironment(onWayland(copy, runtime.path()));
        program.start(copy.program(), {});
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("画素データを")); }, 15000));
        QVERIFY(QFileInfo::exists(test::portLockFile(line)));

        weston.stop();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFileInfo::exists(test::portLockFile(line)));
    }
};

VELSNAP_TEST_MAIN(WaylandTest)
#include "test_wayland.moc"
