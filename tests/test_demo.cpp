// The demo as the README's first command runs it on a machine without a
// display: under Xvfb, two pictures from the simulated device, a screenshot,
// and the program ended by its own exit button.
#include "support/expected_picture.h"
#include "support/test_main.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>

namespace {

constexpr int kPictures = 2;
constexpr int kCopyBytes = 153600;

QString nameTime(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyMMdd_HHmmss"));
}

} // namespace

class DemoTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;
    QString demoFolder;
    QString output;
    QDateTime started;
    QDateTime ended;

    QString pictureFolder() const { return demoFolder + QStringLiteral("/program/bmp"); }
    QStringList pictureFiles() const { return QDir(pictureFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

private slots:
    void initTestCase()
    {
        demoFolder = scratch.filePath(QStringLiteral("demo"));
        QDir(scratch.path()).mkpath(QStringLiteral("home"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        // Stand-ins for the user's own home and settings, which the demo must not touch.
        environment.insert(QStringLiteral("HOME"), scratch.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath(QStringLiteral("home/.config")));

        QProcess demo;
        demo.setProcessEnvironment(environment);
        demo.setProcessChannelMode(QProcess::MergedChannels);
        started = QDateTime::currentDateTime();
        demo.start(QStringLiteral(VELSNAP_SOURCE_DIR "/scripts/run-demo.sh"),
                   {QStringLiteral("--build"), QStringLiteral(VELSNAP_BUILD_DIR), QStringLiteral("--pictures"),
                    QString::number(kPictures), QStringLiteral("--folder"), demoFolder});
        QVERIFY(demo.waitForFinished(-1)); // the script bounds its own waits
        ended = QDateTime::currentDateTime();
        output = QString::fromLocal8Bit(demo.readAll());
        QVERIFY2(demo.exitStatus() == QProcess::NormalExit && demo.exitCode() == 0, qPrintable(output));
    }

    void picturesAreTheCopiesTheDeviceSent()
    {
        const QStringList names = pictureFiles();
        QCOMPARE(names.size(), kPictures); // nothing else either, no half-written file
        const QByteArray sent = velsnap::test::readFileBytes(demoFolder + QStringLiteral("/sent.rgb565"));
        QVERIFY(sent.size() >= kPictures * kCopyBytes);
        const QByteArray header =
            velsnap::test::readFileBytes(QStringLiteral(VELSNAP_SOURCE_DIR "/resources/24bit.hed"));
        QCOMPARE(header.size(), 54);
        // Names sort in the order of reception; copies differ from one to the next.
        for (int i = 0; i < kPictures; ++i) {
            const QByteArray file = velsnap::test::readFileBytes(pictureFolder() + u'/' + names.at(i));
            QCOMPARE(file.size(), 54 + 230400);
            QCOMPARE(file.left(54), header);
            QVERIFY2(file.mid(54) == velsnap::test::expectedPixelData(sent.mid(i * kCopyBytes, kCopyBytes)),
                     qPrintable(names.at(i)));
        }
    }

    void picturesAreNamedAfterTheirTime()
    {
        const QRegularExpression form(QStringLiteral("^(\\d{6}_\\d{6})(_\\d+)?\\.bmp$"));
        for (const QString &name : pictureFiles()) {
            const QRegularExpressionMatch match = form.match(name);
            QVERIFY2(match.hasMatch(), qPrintable(name));
            QVERIFY2(match.captured(1) >= nameTime(started) && match.captured(1) <= nameTime(ended), qPrintable(name));
        }
    }

    void screenshotShowsTheScreen()
    {
        const QImage screen(demoFolder + QStringLiteral("/screenshot.png"));
        QCOMPARE(screen.size(), QSize(1024, 768));
        // An empty Xvfb screen is one colour; the window and its pictures are many.
        QSet<QRgb> colours;
        for (int y = 0; y < screen.height(); y += 4)
            for (int x = 0; x < screen.width(); x += 4)
                colours.insert(screen.pixel(x, y));
        QVERIFY2(colours.size() > 16, qPrintable(QString::number(colours.size())));
    }

    void settingsStayInTheDemoFolder()
    {
        QVERIFY(!QFile::exists(scratch.filePath(QStringLiteral("home/.config/Velmora.ini"))));
        const QSettings demoSettings(demoFolder + QStringLiteral("/config/Velmora.ini"), QSettings::IniFormat);
        QVERIFY(demoSettings.value(QStringLiteral("Ports/COM1")).toString().startsWith(QStringLiteral("/dev/pts/")));
    }

    void outputSaysWhereThePicturesAndScreenshotWent()
    {
        for (const QString &name : pictureFiles())
            QVERIFY2(output.contains(pictureFolder() + u'/' + name), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Screenshot: ") + demoFolder + QStringLiteral("/screenshot.png")),
                 qPrintable(output));
    }
};

VELSNAP_TEST_MAIN(DemoTest)
#include "test_demo.moc"
