// The Debian package end to end, on this machine as root: built by
// scripts/package.sh, checked by the desktop-entry and AppStream validators,
// installed with apt, run as an ordinary user with a home of its own against
// the simulated device (the picture lands in that user's Pictures/VELSNAP and
// is exact), then purged without a trace. Heavy: label "package", run by CI.
#include "support/expected_picture.h"
#include "support/test_main.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <csignal>
#include <unistd.h>

namespace {

const QString kProgramFolder = QStringLiteral("/usr/lib/velsnap");
const QString kMetainfo = QStringLiteral("/usr/share/metainfo/com.velmora.velsnap.metainfo.xml");
constexpr int kCopyBytes = 153600;

struct Outcome {
    bool ok;
    QString output;
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(600000);
    const QString output = QString::fromLocal8Bit(process.readAll());
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, output};
}

Outcome apt(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
    return run(QStringLiteral("apt-get"), QStringList{QStringLiteral("-y"), QStringLiteral("-q")} + arguments,
               environment);
}

bool installed()
{
    return run(QStringLiteral("dpkg-query"),
               {QStringLiteral("-W"), QStringLiteral("-f=${Status}"), QStringLiteral("velsnap")})
        .output.contains(QStringLiteral("install ok installed"));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The package that owns a file (usr-merged paths are looked up both ways).
QString owner(const QString &path)
{
    QStringList tries{path, QFileInfo(path).canonicalFilePath()};
    if (path.startsWith(QStringLiteral("/usr/")))
        tries << path.mid(4);
    else
        tries << QStringLiteral("/usr") + path;
    for (const QString &candidate : tries) {
        const Outcome found = run(QStringLiteral("dpkg-query"), {QStringLiteral("-S"), candidate});
        if (found.ok)
            return found.output.section(u':', 0, 0).trimmed();
    }
    return {};
}

// velsnap and every package it depends on, directly or not.
QSet<QString> dependencyClosure()
{
    const Outcome tree =
        run(QStringLiteral("apt-cache"),
            {QStringLiteral("depends"), QStringLiteral("--recurse"), QStringLiteral("--installed"),
             QStringLiteral("--no-recommends"), QStringLiteral("--no-suggests"), QStringLiteral("--no-conflicts"),
             QStringLiteral("--no-breaks"), QStringLiteral("--no-replaces"), QStringLiteral("--no-enhances"),
             QStringLiteral("velsnap")});
    QSet<QString> packages;
    static const QRegularExpression name(QStringLiteral("^\\s*(?:\\|?(?:Pre)?Depends: )?<?([a-z0-9][a-z0-9+.-]+)"));
    for (const QString &line : tree.output.split(u'\n')) {
        const QRegularExpressionMatch match = name.match(line);
        if (match.hasMatch())
            packages << match.captured(1);
    }
    return packages;
}

} // namespace

class PackageTest : public QObject {
    Q_OBJECT

    QString deb;
    QStringList packageFiles; // as dpkg lists them once installed
    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        if (::geteuid() != 0)
            QSKIP("installs a package: run as root (CI does)");
        const Outcome built =
            run(QStringLiteral(VELSNAP_SOURCE_DIR "/scripts/package.sh"), {QStringLiteral(VELSNAP_BUILD_DIR)});
        QVERIFY2(built.ok, qPrintable(built.output));
        deb = built.output.trimmed().section(u'\n', -1);
        QVERIFY2(QFileInfo(deb).isFile() && QFileInfo(deb).fileName().startsWith(QStringLiteral("velsnap_3.0-1_")),
                 qPrintable(deb));
    }

    void installsWithApt()
    {
        const Outcome done = apt({QStringLiteral("install"), QStringLiteral("--reinstall"), deb});
        QVERIFY2(done.ok, qPrintable(done.output));
        QVERIFY(installed());
        packageFiles = run(QStringLiteral("dpkg-query"), {QStringLiteral("-L"), QStringLiteral("velsnap")})
                           .output.split(u'\n', Qt::SkipEmptyParts);
        for (const char *path :
             {"/usr/bin/velsnap", "/usr/bin/velsnap-device", "/usr/lib/velsnap/velsnap",
              "/usr/lib/velsnap/velsnap-help", "/usr/lib/velsnap/24bit.hed", "/usr/lib/velsnap/VELSNAP.HLP",
              "/usr/share/applications/velsnap.desktop", "/usr/share/icons/hicolor/32x32/apps/velsnap.png",
              "/usr/share/icons/hicolor/256x256/apps/velsnap.png"})
            QVERIFY2(packageFiles.contains(QLatin1String(path)), path);
        QVERIFY(packageFiles.contains(kMetainfo));
        QVERIFY2(!QFileInfo::exists(kProgramFolder + QStringLiteral("/bmp")), "no picture folder in a shared install");
    }

    void validatorsPass_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{QStringLiteral("/usr/share/applications/velsnap.desktop")};
        QTest::newRow("AppStream") << "appstreamcli"
                                   << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                  QStringLiteral("--pedantic"), kMetainfo};
    }
    void validatorsPass()
    {
        QFETCH(QString, validator);
        QFETCH(QStringList, arguments);
        const Outcome checked = run(validator, arguments);
        QVERIFY2(checked.ok, qPrintable(checked.output));
    }

    // What the programs load (libraries, the X11 and Wayland platform
    // plugins, Qt's Japanese texts, the font) all comes with the package's
    // dependencies, so apt on a fresh machine brings it in.
    void dependenciesCoverWhatTheProgramLoads()
    {
        QStringList needed{QStringLiteral("/usr/share/qt6/translations/qtbase_ja.qm")};
        const QString plugins = QStringLiteral("/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/");
        QStringList binaries{plugins + QStringLiteral("libqxcb.so"),
                             plugins + QStringLiteral("libqwayland-generic.so")};
        for (const QString &name : QDir(kProgramFolder).entryList(QDir::Files | QDir::Executable))
            binaries << kProgramFolder + u'/' + name;
        static const QRegularExpression library(QStringLiteral("=> (/\\S+)"));
        for (const QString &binary : binaries) {
            QVERIFY2(QFileInfo::exists(binary), qPrintable(binary));
            const Outcome linked = run(QStringLiteral("ldd"), {binary});
            QVERIFY2(linked.ok && !linked.output.contains(QStringLiteral("not found")), qPrintable(linked.output));
            for (const QRegularExpressionMatch &match : library.globalMatch(linked.output))
                needed << match.captured(1);
            needed << binary;
        }
        needed << run(QStringLiteral("fc-match"),
                      {QStringLiteral("-f"), QStringLiteral("%{file}"), QStringLiteral("IPAPGothic")})
                      .output;
        const QSet<QString> closure = dependencyClosure();
        QVERIFY(closure.contains(QStringLiteral("libqt6widgets6")));
        for (const QString &path : needed) {
            const QString package = owner(path);
            QVERIFY2(!package.isEmpty(), qPrintable(path + QStringLiteral(": owned by no package")));
            QVERIFY2(closure.contains(package), qPrintable(path + QStringLiteral(" comes from ") + package +
                                                           QStringLiteral(", not a dependency")));
        }
    }

    void ordinaryUserReceivesIntoOwnPictures()
    {
        // nobody, with a home of its own that only it can write.
        const QString home = scratch.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/.config")));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/runtime")));
        QVERIFY(run(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("nobody:nogroup"), home}).ok);
        QVERIFY(QFile::setPermissions(home + QStringLiteral("/runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::setPermissions(scratch.path(), QFile::permissions(scratch.path()) | QFile::ExeOther));
        const QStringList asNobody{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                   QStringLiteral("--clear-groups")};
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        // The user's own device, so that the user may open its line.
        const QString sent = home + QStringLiteral("/sent.rgb565");
        QProcess device;
        device.setProcessEnvironment(environment);
        device.start(QStringLiteral("setpriv"),
                     asNobody + QStringList{QStringLiteral("/usr/bin/velsnap-device"), QStringLiteral("--count"),
                                            QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000"),
                                            QStringLiteral("--save-sent"), sent});
        QVERIFY(device.waitForReadyRead(10000));
        const QString line = QString::fromLocal8Bit(device.readLine()).trimmed();
        QVERIFY2(line.startsWith(QStringLiteral("/dev/")), qPrintable(line));
        QFile settings(home + QStringLiteral("/.config/Velmora.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Ports]\nCOM1=" + line.toLocal8Bit() + "\n");
        settings.close();
        QVERIFY(run(QStringLiteral("chown"), {QStringLiteral("nobody:nogroup"), settings.fileName()}).ok);

        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral("setpriv"), asNobody + QStringList{QStringLiteral("/usr/bin/velsnap")});
        const QString pictures = home + QStringLiteral("/Pictures/VELSNAP");
        const auto received = [&] { return QDir(pictures).entryList({QStringLiteral("*.bmp")}, QDir::Files); };
        QVERIFY2(QTest::qWaitFor([&] { return !received().isEmpty(); }, 60000),
                 qPrintable(QString::fromLocal8Bit(program.readAll())));
        ::kill(pid_t(program.processId()), SIGTERM); // setpriv has become the program
        QVERIFY(program.waitForFinished(10000));
        device.terminate();
        device.waitForFinished(5000);

        QCOMPARE(received().size(), 1);
        const QByteArray file = readAll(pictures + u'/' + received().first());
        QCOMPARE(file.size(), 54 + 230400);
        QCOMPARE(file.left(54), readAll(kProgramFolder + QStringLiteral("/24bit.hed")));
        QVERIFY(file.mid(54) == velsnap::test::expectedPixelData(readAll(sent).left(kCopyBytes)));
        QCOMPARE(QFileInfo(pictures + u'/' + received().first()).ownerId(), QFileInfo(home).ownerId());
        QVERIFY(!QFileInfo::exists(kProgramFolder + QStringLiteral("/bmp")));
    }

    void purgeLeavesNothing()
    {
        QVERIFY(!packageFiles.isEmpty());
        const Outcome done = apt({QStringLiteral("remove"), QStringLiteral("--purge"), QStringLiteral("velsnap")});
        QVERIFY2(done.ok, qPrintable(done.output));
        QVERIFY(!installed());
        for (const QString &path : packageFiles) {
            const QFileInfo left(path);
            // Folders such as /usr/share/icons stay for the other packages in them.
            if (left.isDir() && !left.isSymLink() && !path.startsWith(kProgramFolder))
                continue;
            QVERIFY2(!left.exists() && !left.isSymLink(), qPrintable(path));
        }
        QVERIFY(!QFileInfo::exists(kProgramFolder));
    }

    void cleanupTestCase()
    {
        if (::geteuid() == 0 && installed())
            apt({QStringLiteral("remove"), QStringLiteral("--purge"), QStringLiteral("velsnap")});
    }
};

VELSNAP_TEST_MAIN(PackageTest)
#include "test_package.moc"
