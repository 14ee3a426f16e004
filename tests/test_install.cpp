// `cmake --install` into a temporary prefix: one program folder with all the
// program looks for beside itself, a launcher that runs it from there, and a
// desktop entry with its icons.
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>

namespace {

const QString kResources = QStringLiteral(VELSNAP_SOURCE_DIR "/resources/");

// Installs the build; the files land in destdir + prefix. Empty on success,
// else what cmake said.
QString install(const QString &prefix, const QString &destdir = {})
{
    QProcess cmake;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destdir);
    cmake.setProcessEnvironment(environment);
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(VELSNAP_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(VELSNAP_BUILD_DIR), QStringLiteral("--prefix"), prefix});
    const bool done = cmake.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(cmake.readAll());
    return done && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0
               ? QString()
               : said + QStringLiteral("(not installed)");
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("destdir");
        QTest::newRow("own prefix") << scratch.filePath(QStringLiteral("prefix")) << QString();
        QTest::newRow("staged under DESTDIR")
            << QStringLiteral("/usr/local") << scratch.filePath(QStringLiteral("stage"));
    }
    void layout()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, destdir);
        const QString said = install(prefix, destdir);
        QVERIFY2(said.isEmpty(), qPrintable(said));
        const QDir root(destdir + prefix);
        const QString folder = root.filePath(QStringLiteral("lib/velsnap/"));

        for (const char *program : {"velsnap", "velsnap-help", "velsnap-device", "velsnap-ports"}) {
            const QFileInfo file(folder + QLatin1String(program));
            QVERIFY2(file.isFile() && file.isExecutable(), program);
        }
        for (const char *name : {"24bit.hed", "VELSNAP.HLP"})
            QVERIFY2(velsnap::test::readFileBytes(folder + QLatin1String(name)) ==
                         velsnap::test::readFileBytes(kResources + QLatin1String(name)),
                     name);

        // Relative, so that they also point into a staged tree.
        for (const QString &program : {QStringLiteral("velsnap"), QStringLiteral("velsnap-ports")}) {
            const QFileInfo launcher(root.filePath(QStringLiteral("bin/") + program));
            QVERIFY(launcher.isSymLink());
            QCOMPARE(launcher.canonicalFilePath(), QFileInfo(folder + program).canonicalFilePath());
        }

        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("velsnap.png")));

        // The entry as shipped, except that outside /usr/local its Exec lines name the installed launchers.
        QStringList expected =
            QString::fromUtf8(velsnap::test::readFileBytes(kResources + QStringLiteral("velsnap.desktop")))
                .split(u'\n');
        const bool onPath = prefix == QLatin1String("/usr/local");
        for (QString &line : expected) {
            if (line.startsWith(QStringLiteral("Exec=")) && !onPath)
                line = QStringLiteral("Exec=\"%1/bin/%2\"").arg(prefix, line.mid(5));
        }
        QVERIFY(expected.contains(onPath ? QStringLiteral("Exec=velsnap-ports")
                                         : QStringLiteral("Exec=\"%1/bin/velsnap-ports\"").arg(prefix)));
        QCOMPARE(QString::fromUtf8(
                     velsnap::test::readFileBytes(root.filePath(QStringLiteral("share/applications/velsnap.desktop"))))
                     .split(u'\n'),
                 expected);

        // Each size drawn on its own: no icon is a smaller one scaled up.
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(root.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/velsnap.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
            const QImage half = icon.scaled(size / 2, size / 2).scaled(size, size);
            QVERIFY2(half.convertToFormat(QImage::Format_ARGB32) != icon.convertToFormat(QImage::Format_ARGB32),
                     qPrintable(QString::number(size)));
        }
        QVERIFY(
            velsnap::test::readFileBytes(root.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/velsnap.svg")))
                .startsWith("<?xml"));
        for (const char *command : {"velsnap", "velsnap-ports", "velsnap-capture", "velsnap-device"})
            QVERIFY2(
                QFileInfo::exists(root.filePath(QStringLiteral("share/man/man1/%1.1").arg(QLatin1String(command)))),
                command);
    }

    void launcherRunsTheProgramInItsFolder()
    {
        const QString prefix = scratch.filePath(QStringLiteral("run"));
        const QString said = install(prefix);
        QVERIFY2(said.isEmpty(), qPrintable(said));

        velsnap::test::SimulatedDevice device;
        const QString line = device.start(
            {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")});
        QVERIFY(!line.isEmpty());
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"));
        settings.setValue(QStringLiteral("Ports/COM1"), line);
        settings.sync();

        // A picture in the program folder's bmp/ shows that the program found
        // that folder and its header template through the launcher.
        QProcess program;
        program.start(prefix + QStringLiteral("/bin/velsnap"));
        const QString pictures = prefix + QStringLiteral("/lib/velsnap/bmp");
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(pictures).entryList({QStringLiteral("*.bmp")}, QDir::Files).isEmpty(), 60000);
        QVERIFY(!QFileInfo::exists(prefix + QStringLiteral("/bin/bmp")));
        // Ended as the session ends it, so its port's lock file goes with it and
        // no later test meets a stale lock of root's.
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }
};

VELSNAP_TEST_MAIN(InstallTest)
#include "test_install.moc"
