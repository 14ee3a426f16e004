// Where the pictures go: beside the program when the user can write its
// folder, else in the user's own pictures folder.
#include "folders/program_folders.h"
#include "platform/home_variable.h"
#include "support/read_only_folder.h"
#include "support/test_main.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

using namespace velsnap;

class PictureFolderTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;

    static QString userPictureFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + QStringLiteral("/VELSNAP/");
    }

private slots:
    void initTestCase()
    {
        // A home of its own, without a pictures folder yet.
        qputenv("HOME", QFile::encodeName(home.path()));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                 home.filePath(QStringLiteral("Pictures")));
    }

    void fromTheProgramFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("app");
        QTest::addColumn<QString>("images");
        QTest::newRow("writable: beside the program") << "/home/ann/velsnap" << true << "/home/ann/Pictures"
                                                      << "/"
                                                      << "/home/ann/velsnap/"
                                                      << "/home/ann/velsnap/bmp/";
        QTest::newRow("read-only: the user's pictures") << "/usr/lib/velsnap" << false << "/home/ann/Pictures"
                                                        << "/"
                                                        << "/usr/lib/velsnap/"
                                                        << "/home/ann/Pictures/VELSNAP/";
        QTest::newRow("read-only, pictures folder ending in a separator")
            << "/usr/lib/velsnap/" << false << "/home/ann/Bilder/"
            << "/"
            << "/usr/lib/velsnap/"
            << "/home/ann/Bilder/VELSNAP/";
        QTest::newRow("read-only without a pictures folder: beside the program") << "/usr/lib/velsnap" << false << ""
                                                                                 << "/"
                                                                                 << "/usr/lib/velsnap/"
                                                                                 << "/usr/lib/velsnap/bmp/";
        QTest::newRow("writable root folder") << "/" << true << "/root/Pictures"
                                              << "/"
                                              << "/"
                                              << "/bmp/";
        QTest::newRow("read-only drive") << "D:\\" << false << "C:\\Users\\ann\\Pictures"
                                         << "\\"
                                         << "D:\\"
                                         << "C:\\Users\\ann\\Pictures\\VELSNAP\\";
    }
    void fromTheProgramFolder()
    {
        QFETCH(QString, folder);
        QFETCH(bool, writable);
        QFETCH(QString, pictures);
        QFETCH(QString, separator);
        QFETCH(QString, app);
        QFETCH(QString, images);
        const ProgramFolders folders = programFoldersFor(folder, writable, pictures, separator.at(0));
        QCOMPARE(folders.app_path, app);
        QCOMPARE(folders.image_path, images);
    }

    void writableProgramFolderOnDisk()
    {
        QTemporaryDir program;
        const ProgramFolders folders = programFoldersOf(program.path());
        QCOMPARE(folders.image_path, program.path() + QStringLiteral("/bmp/"));
    }

    // What the desktop's user-dirs.dirs says counts only as an absolute path.
    void readOnlyProgramFolderOnDisk_data()
    {
        QTest::addColumn<QByteArray>("userDirs");
        QTest::addColumn<QString>("pictures"); // under the home
        QTest::newRow("no user-dirs.dirs") << QByteArray() << "Pictures";
        QTest::newRow("under $HOME") << QByteArray("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n") << "Bilder";
        QTest::newRow("relative: ignored") << QByteArray("XDG_PICTURES_DIR=\"Bilder\"\n") << "Pictures";
    }
    void readOnlyProgramFolderOnDisk()
    {
        QFETCH(QByteArray, userDirs);
        QFETCH(QString, pictures);
        QFile dirs(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("user-dirs.dirs")));
        QVERIFY(QDir().mkpath(QFileInfo(dirs).path()) && dirs.open(QIODevice::WriteOnly));
        dirs.write(userDirs);
        dirs.close();
        QTemporaryDir program;
        test::ReadOnlyFolder readOnly(program.path());
        QVERIFY2(readOnly.failure().isEmpty(), qPrintable(readOnly.failure()));
        const ProgramFolders folders = programFoldersOf(program.path());
        QCOMPARE(folders.app_path, program.path() + u'/');
        QCOMPARE(folders.image_path, home.filePath(pictures) + QStringLiteral("/VELSNAP/"));
        QVERIFY(dirs.remove());
    }

    // A program started without HOME (or with an empty one) still finds its user's home.
    void homeFromThePasswordDatabase_data()
    {
        QTest::addColumn<bool>("unset");
        QTest::newRow("HOME unset") << true;
        QTest::newRow("HOME empty") << false;
    }
    void homeFromThePasswordDatabase()
    {
        QFETCH(bool, unset);
        const QByteArray saved = qgetenv("HOME");
        unset ? qunsetenv("HOME") : qputenv("HOME", QByteArray());
        ensureHomeVariable();
        const QString found = qEnvironmentVariable("HOME");
        qputenv("HOME", saved);
        QCOMPARE(found, QString::fromLocal8Bit(::getpwuid(::getuid())->pw_dir));
    }

    // The window's start-up makes the pictures folder with its parents and
    // receives there; nothing is written beside the program.
    void startUpInAReadOnlyProgramFolder()
    {
        test::WindowFixture fixture;
        test::ReadOnlyFolder readOnly(fixture.programFolder());
        QVERIFY2(readOnly.failure().isEmpty(), qPrintable(readOnly.failure()));
        QVERIFY(!QDir(home.filePath(QStringLiteral("Pictures"))).exists());

        fixture.window().init_form();
        QCOMPARE(fixture.endRequests, 0);
        QVERIFY(fixture.dialogs.messages.isEmpty());
        QCOMPARE(fixture.window().folders().image_path, userPictureFolder());
        QVERIFY(QDir(userPictureFolder()).exists());
        QVERIFY(!QDir(fixture.pictureFolder()).exists());
    }
};

VELSNAP_TEST_MAIN(PictureFolderTest)
#include "test_picture_folder.moc"
