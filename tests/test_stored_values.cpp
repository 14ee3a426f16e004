// Reading stored numbers, folders from the program's place, port devices, the help command.
#include "folders/program_folders.h"
#include "settings/settings_store.h"
#include "settings/stored_number.h"
#include "shell/help_command.h"
#include "support/test_main.h"

using namespace velsnap;

class StoredValuesTest : public QObject {
    Q_OBJECT

private slots:
    void storedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("digit") << "3" << 3;
        QTest::newRow("blanks around and inside") << " 1 2 " << 12;
        QTest::newRow("trailing words") << "8 ports" << 8;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("sign") << "-1" << -1;
        QTest::newRow("lone sign") << "-" << 0;
        QTest::newRow("half rounds to even (down)") << "2.5" << 2;
        QTest::newRow("half rounds to even (up)") << "3.5" << 4;
        QTest::newRow("fraction") << "1.6" << 2;
        QTest::newRow("exponent") << "1e1" << 10;
        QTest::newRow("dangling exponent") << "7e" << 7;
        QTest::newRow("too large clamps") << "99999999" << 32767;
        QTest::newRow("too small clamps") << "-99999999" << -32768;
        QTest::newRow("overflowing exponent") << "1e999" << 32767;
        QTest::newRow("underflowing exponent") << "1e-999" << 0;
        QTest::newRow("very long digits") << QString(100000, u'9') << 32767;
        QTest::newRow("full-width digits are no number") << "３" << 0;
    }
    void storedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(int(readStoredInt16(text)), value);
    }

    void settingsFileAndHandWrittenValues()
    {
        SettingsStore store;
        QCOMPARE(store.read(kSnapSection, kPortKey, QStringLiteral("1")), QStringLiteral("1"));
        store.write(kSnapSection, kPortKey, QStringLiteral("8"));
        QCOMPARE(store.read(kSnapSection, kPortKey, QStringLiteral("1")), QStringLiteral("8"));
        const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Velmora.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("[SNAP]\nport=8"));
        file.close();

        // Written by hand: an unquoted comma must not hide the stored text.
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[SNAP]\r\nView=1,5\r\n; a comment\r\n");
        file.close();
        QCOMPARE(store.read(kSnapSection, kViewKey, QStringLiteral("0")), QStringLiteral("1,5"));

        // QSettings' own notation, claiming a list of gigabytes: nothing to read, and the rest still reads.
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        static const char claim[] = "[SNAP]\nView=@Variant(\0\0\0\tW0\\0\\0\\x7f)\nport=3\n";
        file.write(claim, sizeof claim - 1);
        file.close();
        QCOMPARE(store.read(kSnapSection, kViewKey, QStringLiteral("1")), QString());
        QCOMPARE(store.read(kSnapSection, kPortKey, QStringLiteral("1")), QStringLiteral("3"));
    }

    void programFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("app");
        QTest::addColumn<QString>("images");
        QTest::newRow("windows folder") << "C:\\Tools"
                                        << "\\"
                                        << "C:\\Tools\\"
                                        << "C:\\Tools\\bmp\\";
        QTest::newRow("windows drive root") << "D:\\"
                                            << "\\"
                                            << "D:\\"
                                            << "D:\\bmp\\";
        QTest::newRow("unix folder") << "/opt/velsnap"
                                     << "/"
                                     << "/opt/velsnap/"
                                     << "/opt/velsnap/bmp/";
        QTest::newRow("unix root") << "/"
                                   << "/"
                                   << "/"
                                   << "/bmp/";
    }
    void programFolders()
    {
        QFETCH(QString, folder);
        QFETCH(QString, separator);
        QFETCH(QString, app);
        QFETCH(QString, images);
        const ProgramFolders folders = programFoldersFor(folder, true, QString(), separator.at(0));
        QCOMPARE(folders.app_path, app);
        QCOMPARE(folders.image_path, images);
    }

    void helpCommandLineAndItsViewer()
    {
        QCOMPARE(helpCommandLine(QStringLiteral("C:\\Tools\\")), QStringLiteral("WINHELP.EXE C:\\Tools\\VELSNAP.HLP"));
        const ProgramCommand command = resolveCommandLine(QStringLiteral("WINHELP.EXE /opt/my tools/VELSNAP.HLP"),
                                                          QStringLiteral("/opt/my tools"));
        QCOMPARE(command.program, QStringLiteral("/opt/my tools/velsnap-help"));
        QCOMPARE(command.arguments, QStringList{QStringLiteral("/opt/my tools/VELSNAP.HLP")});
        QCOMPARE(resolveCommandLine(QStringLiteral("notepad"), QStringLiteral("/x")).program,
                 QStringLiteral("notepad"));
    }
};

VELSNAP_TEST_MAIN(StoredValuesTest)
#include "test_stored_values.moc"
