// The exit button ends the real program at once, in the middle of a transfer,
// on a real X server: exit status 0, no picture, nothing of the run resumes.
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velsnap;

namespace {

// A private X server on a display number it picks itself.
class XServer {
public:
    bool start()
    {
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000))
            return false;
        m_display = u':' + QString::fromLatin1(m_server.readLine()).trimmed();
        return true;
    }
    ~XServer()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

QString run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(15000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

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
        QTemporaryDir folder;
        for (const QString &name : {QStringLiteral("velsnap"), QStringLiteral("24bit.hed")})
            QVERIFY(QFile::copy(test::binFolder() + u'/' + name, folder.filePath(name)));
        QTemporaryDir config;
        QFile settings(config.filePath(QStringLiteral("Velmora.ini")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Ports]\nCOM1=" + line.toLocal8Bit() + "\n[SNAP]\nView=1\n");
        settings.close();

        XServer x;
        QVERIFY(x.start());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), x.display());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(folder.filePath(QStringLiteral("velsnap")), {});
        QVERIFY(program.waitForStarted());

        const QString window = run(QStringLiteral("xdotool"),
                                   {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), QStringLiteral("VELSNAP")},
                                   environment)
                                   .section(u'\n', 0, 0);
        QVERIFY(!window.isEmpty());
        // The device has sent part of a picture and fallen silent: the run waits for the rest.
        QVERIFY(QTest::qWaitFor([&] { return device.log().contains(QStringLiteral("pixel data cut")); }, 15000));
        QTest::qWait(300);
        run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}, environment);
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+x")}, environment);

        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QDir(folder.filePath(QStringLiteral("bmp"))).isEmpty());
    }
};

VELSNAP_TEST_MAIN(ExitTest)
#include "test_exit.moc"
