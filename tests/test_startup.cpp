// Start-up, the stored choices, help and the two ways out, on the real window offscreen.
#include "folders/kept_pictures.h"
#include "settings/settings_store.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using namespace velsnap;

namespace {

void savePicture(const QString &path, QColor colour)
{
    QImage picture(320, 240, QImage::Format_RGB888);
    picture.fill(colour);
    QVERIFY(picture.save(path, "BMP"));
}

QStringList listingOrder(const QString &folder)
{
    QStringList names;
    QDirIterator listing(folder, {QStringLiteral("*.bmp")}, QDir::Files);
    while (listing.hasNext()) {
        listing.next();
        names << listing.fileName();
    }
    return names;
}

const QString kDeleteQuestion = QStringLiteral("削除の確認|すでに画面コピーファイルが存在します。\u3000削除しますか？");

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowFixture> fixture;

    QComboBox *ports() const { return fixture->window().control<QComboBox>(QStringLiteral("cmb_port")); }
    QCheckBox *preview() const { return fixture->window().control<QCheckBox>(QStringLiteral("chk_viewimage")); }
    QString stored(const QString &key) const { return SettingsStore().read(kSnapSection, key, QStringLiteral("-")); }

    // Three pictures of the program and one it did not make, plus a file that is no picture.
    void fillPictureFolder()
    {
        QVERIFY(QDir().mkpath(fixture->pictureFolder()));
        const QDir folder(fixture->pictureFolder());
        savePicture(folder.filePath(QStringLiteral("261201_101010.bmp")), Qt::red);
        savePicture(folder.filePath(QStringLiteral("261201_101050.bmp")), Qt::green);
        savePicture(folder.filePath(QStringLiteral("261202_080000.bmp")), Qt::blue);
        savePicture(folder.filePath(QStringLiteral("holiday.bmp")), Qt::yellow);
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Velmora.ini"));
        fixture = std::make_unique<test::WindowFixture>();
    }
    void cleanup() { fixture.reset(); }

    void firstStart()
    {
        fixture->window().init_form();
        QVERIFY(QDir(fixture->pictureFolder()).exists());
        QVERIFY(fixture->dialogs.questions.isEmpty());
        QVERIFY(fixture->dialogs.messages.isEmpty());
        QCOMPARE(fixture->window().folders().app_path, fixture->programFolder() + u'/');
        QCOMPARE(fixture->window().folders().image_path, fixture->programFolder() + QStringLiteral("/bmp/"));
        QCOMPARE(preview()->checkState(), Qt::Checked);
        QCOMPARE(ports()->count(), 8);
        QCOMPARE(ports()->itemText(0), QStringLiteral("COM 1"));
        QCOMPARE(ports()->itemText(7), QStringLiteral("COM 8"));
        QCOMPARE(ports()->currentIndex(), 0);
        QCOMPARE(fixture->window().strip().imageCount(), 0);
        QCOMPARE(stored(kPortKey), QStringLiteral("-")); // restoring stores nothing
    }

    void storedChoicesAreRestored_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("state");
        QTest::newRow("COM 3, preview off") << "3"
                                            << "0" << 2 << int(Qt::Unchecked);
        QTest::newRow("COM 8, grey") << "8"
                                     << "2" << 7 << int(Qt::PartiallyChecked);
        QTest::newRow("zero selects nothing") << "0"
                                              << "1" << -1 << int(Qt::Checked);
        QTest::newRow("empty selects nothing") << ""
                                               << "" << -1 << int(Qt::Unchecked);
        QTest::newRow("words select nothing") << "abc"
                                              << "yes" << -1 << int(Qt::Unchecked);
        QTest::newRow("beyond the list") << "9"
                                         << "3" << -1 << int(Qt::Unchecked);
        QTest::newRow("far beyond") << "-40000"
                                    << "99999999999" << -1 << int(Qt::Unchecked);
        QTest::newRow("blanks and fractions") << " 2.4 "
                                              << " 1 " << 1 << int(Qt::Checked);
    }
    void storedChoicesAreRestored()
    {
        QFETCH(QString, port);
        QFETCH(QString, view);
        QFETCH(int, position);
        QFETCH(int, state);
        fixture->storeSetting(kSnapSection, kPortKey, port);
        fixture->storeSetting(kSnapSection, kViewKey, view);
        fixture->window().init_form();
        QCOMPARE(ports()->currentIndex(), position);
        QCOMPARE(int(preview()->checkState()), state);
    }

    void choicesAreStoredWhenTheUserMakesThem()
    {
        fixture->storeSetting(kSnapSection, kViewKey, QStringLiteral("2"));
        fixture->window().init_form();
        fixture->window().show();

        QTest::mouseClick(preview(), Qt::LeftButton, {}, QPoint(5, preview()->height() / 2));
        QCOMPARE(preview()->checkState(), Qt::Checked); // grey turns to ticked
        QCOMPARE(stored(kViewKey), QStringLiteral("1"));
        QTest::mouseClick(preview(), Qt::LeftButton, {}, QPoint(5, preview()->height() / 2));
        QCOMPARE(stored(kViewKey), QStringLiteral("0"));

        ports()->setFocus();
        QTest::keyClick(ports(), Qt::Key_End);
        QCOMPARE(ports()->currentText(), QStringLiteral("COM 8"));
        QCOMPARE(stored(kPortKey), QStringLiteral("8"));
        QTest::keyClick(ports(), Qt::Key_Home);
        QCOMPARE(stored(kPortKey), QStringLiteral("1"));
    }

    void keptPicturesAreOfferedInNameOrder()
    {
        fillPictureFolder();
        fixture->window().init_form();

        QCOMPARE(fixture->dialogs.questions, QStringList{kDeleteQuestion});
        const QStringList expected = {"261201_101010.bmp", "261201_101050.bmp", "261202_080000.bmp", "holiday.bmp"};
        QCOMPARE(fixture->window().strip().imageCount(), 4);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(fixture->window().strip().lbl_filename(row)->text(), expected.at(row));
        QCOMPARE(listingOrder(fixture->pictureFolder()).size(), 4); // all kept
    }

    void exitBetweenTwoKeptPicturesIsHandledAtOnce()
    {
        QVERIFY(QDir().mkpath(fixture->pictureFolder()));
        for (int i = 0; i < 20; ++i)
            savePicture(
                QDir(fixture->pictureFolder()).filePath(QStringLiteral("kept_%1.bmp").arg(i, 2, 10, QChar(u'0'))),
                Qt::darkCyan);
        int rowsAtExit = -1;
        QTimer::singleShot(0, [&] {
            rowsAtExit = fixture->window().strip().imageCount();
            fixture->window().control<QPushButton>(QStringLiteral("cmd_end"))->click();
        });
        fixture->window().init_form();
        QCOMPARE(fixture->endRequests, 1);
        QCOMPARE(rowsAtExit, 1); // right after the first file
    }

    void nameOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("ordered");
        QTest::newRow("oldest first") << QStringList{"260305_140709.bmp", "251231_235959.bmp", "260305_140708.bmp"}
                                      << QStringList{"251231_235959.bmp", "260305_140708.bmp", "260305_140709.bmp"};
        QTest::newRow("same second: plain name first")
            << QStringList{"260305_140709_3.bmp", "260305_140709.bmp", "260305_140709_2.bmp"}
            << QStringList{"260305_140709.bmp", "260305_140709_2.bmp", "260305_140709_3.bmp"};
        QTest::newRow("case does not count")
            << QStringList{"b.bmp", "C.BMP", "A.bmp"} << QStringList{"A.bmp", "b.bmp", "C.BMP"};
        // Upper case as those file systems compare: '_' comes after the letters.
        QTest::newRow("underscore after letters")
            << QStringList{"a_.bmp", "aZ.bmp", "ab.bmp"} << QStringList{"ab.bmp", "aZ.bmp", "a_.bmp"};
        QTest::newRow("equal but for case: fixed order")
            << QStringList{"x.bmp", "X.bmp"} << QStringList{"X.bmp", "x.bmp"};
        QTest::newRow("digits before letters")
            << QStringList{"photo.bmp", "260101_000000.bmp"} << QStringList{"260101_000000.bmp", "photo.bmp"};
    }
    void nameOrder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, ordered);
        QCOMPARE(inNameOrder(names), ordered);
        std::reverse(names.begin(), names.end());
        QCOMPARE(inNameOrder(names), ordered);
    }

    void keptPicturesAreDeletedOnYes()
    {
        fillPictureFolder();
        fixture->dialogs.answerYes = true;
        fixture->window().init_form();
        QCOMPARE(fixture->dialogs.questions.size(), 1);
        QCOMPARE(fixture->window().strip().imageCount(), 0);
        QCOMPARE(QDir(fixture->pictureFolder()).entryList(QDir::Files), QStringList{QStringLiteral("notes.txt")});
        QVERIFY(fixture->dialogs.messages.isEmpty());

        fixture->window().init_form(); // the next start asks nothing
        QCOMPARE(fixture->dialogs.questions.size(), 1);
    }

    void pictureFolderThatCannotBeMadeEndsTheProgram()
    {
        QFile blocker(fixture->pictureFolder()); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        fixture->window().init_form();
        QCOMPARE(fixture->dialogs.messages.size(), 1);
        QVERIFY(fixture->dialogs.messages.first().contains(QDir::toNativeSeparators(fixture->pictureFolder())));
        QCOMPARE(fixture->endRequests, 1);
    }

    void helpButtonAndF1StartTheViewer()
    {
        QVERIFY(QFile::copy(test::binFolder() + QStringLiteral("/VELSNAP.HLP"),
                            fixture->programFolder() + QStringLiteral("/VELSNAP.HLP")));
        fixture->window().init_form();
        fixture->window().show();
        fixture->window().activateWindow(); // shortcuts reach the active window only
        QVERIFY(QTest::qWaitForWindowActive(&fixture->window()));
        const QString expected =
            QStringLiteral("WINHELP.EXE ") + fixture->programFolder() + QStringLiteral("/VELSNAP.HLP");

        fixture->window().control<QPushButton>(QStringLiteral("cmd_help"))->click();
        QTest::keyClick(&fixture->window(), Qt::Key_F1);
        QCOMPARE(fixture->starter.commandLines, (QStringList{expected, expected}));
        QVERIFY(fixture->dialogs.messages.isEmpty());

        QVERIFY(QFile::remove(fixture->programFolder() + QStringLiteral("/VELSNAP.HLP")));
        fixture->window().cmd_help_Click();
        QCOMPARE(fixture->starter.commandLines.size(), 2);
        QCOMPARE(fixture->dialogs.messages.size(), 1);
        QVERIFY(fixture->dialogs.messages.first().contains(QStringLiteral("VELSNAP.HLP")));
    }

    void exitButtonAndCloseBoxEndTheProgram()
    {
        fixture->window().init_form();
        fixture->window().show();
        fixture->window().control<QPushButton>(QStringLiteral("cmd_end"))->click();
        QCOMPARE(fixture->endRequests, 1);
        QCOMPARE(fixture->text("lbl_status"), QStringLiteral("受信できません"));
        fixture->window().close();
        QCOMPARE(fixture->endRequests, 2);
    }
};

VELSNAP_TEST_MAIN(StartupTest)
#include "test_startup.moc"
