// Whole reception runs: the real window offscreen, a real serial port on a
// pseudo-terminal, and the simulated device at the other end. The protocol's
// cases in detail run on a scripted line in test_run.
#include "serial/device_serial_line.h"
#include "settings/settings_store.h"
#include "shell/preview_box.h"
#include "support/cpu_time.h"
#include "support/expected_picture.h"
#include "support/pty_pair.h"
#include "support/read_only_folder.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

using namespace velsnap;

class ReceptionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowFixture> fixture;
    QTemporaryDir scratch;

    // The window started up with COM 1 on `device`.
    void startWith(const QString &device)
    {
        QVERIFY(!device.isEmpty());
        fixture->storeSetting(kPortsSection, QStringLiteral("COM1"), device);
        fixture->storeSetting(kSnapSection, kPortKey, QStringLiteral("1"));
        fixture->window().init_form();
    }
    QString sentFile() const { return scratch.filePath(QStringLiteral("sent.bin")); }
    QString status() const { return fixture->text("lbl_status"); }

    void verifyIdle(const QString &statusText)
    {
        QCOMPARE(status(), statusText);
        QCOMPARE(fixture->text("cmd_receive"), texts::kButtonStartIdle);
        QVERIFY(fixture->window().control<QComboBox>(QStringLiteral("cmb_port"))->isEnabled());
        QVERIFY(!fixture->window().reception().receiving());
    }

    // The only picture written holds exactly what the device sent.
    void verifyPictureAsSent(int copies = 1)
    {
        QCOMPARE(fixture->pictureFiles().size(), copies);
        const QByteArray sent = test::readFileBytes(sentFile());
        QCOMPARE(sent.size(), 153600 * copies);
        const QByteArray file = test::readFileBytes(fixture->pictureFolder() + u'/' + fixture->pictureFiles().last());
        QCOMPARE(file.size(), 230454);
        QCOMPARE(file.left(54), test::readFileBytes(test::binFolder() + QStringLiteral("/24bit.hed")));
        QVERIFY(file.mid(54) == test::expectedPixelData(sent.right(153600)));
    }

private slots:
    void init()
    {
        fixture = std::make_unique<test::WindowFixture>();
        QFile::remove(sentFile());
    }
    void cleanup() { fixture.reset(); }

    void completedRunKeepsShowsCopiesAndReopens()
    {
        test::SimulatedDevice device; // paced, so the statuses along the way can be seen
        startWith(device.start(
            {QStringLiteral("--baud"), QStringLiteral("2000000"), QStringLiteral("--save-sent"), sentFile()}));
        auto *preview = fixture->window().control<QCheckBox>(QStringLiteral("chk_viewimage"));
        preview->setCheckState(Qt::Checked);

        QStringList statuses;
        QStringList report; // as shown once the next run waits; stopping resets it
        auto *img1 = fixture->window().control<QLabel>(QStringLiteral("img1"));
        QImage shown;
        QVERIFY(fixture->receiveUntil([&] {
            shown = img1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
            if (statuses.isEmpty() || statuses.last() != status())
                statuses << status();
            report = {fixture->text("lbl_byte"), fixture->text("lbl_start"), fixture->text("lbl_end"),
                      fixture->text("lbl_time")};
            return fixture->pictureFiles().size() == 1 && status() == texts::kStatusWaiting;
        }));
        verifyPictureAsSent();
        QVERIFY(statuses.contains(texts::kStatusReceiving));
        QCOMPARE(statuses.last(), texts::kStatusWaiting); // the next run opened the port again
        QVERIFY(fixture->dialogs.messages.isEmpty());

        const QString path = fixture->pictureFolder() + u'/' + fixture->pictureFiles().first();
        const QImage picture(path);
        QCOMPARE(report.at(0), QStringLiteral(" 230400"));
        QVERIFY(QTime::fromString(report.at(1), QStringLiteral("HH:mm:ss")).isValid());
        QVERIFY(QTime::fromString(report.at(2), QStringLiteral("HH:mm:ss")).isValid());
        QVERIFY(QTime::fromString(report.at(3), QStringLiteral("H:mm:ss")).isValid());
        QCOMPARE(shown, picture);
        QCOMPARE(img1->size(), QSize(320, 240));
        QVERIFY(img1->pixmap().isNull()); // the stop cleared it again
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
        QCOMPARE(fixture->window().strip().imageCount(), 1);
        QCOMPARE(fixture->window().strip().lbl_filename(0)->text(), fixture->pictureFiles().first());
        // The live preview drew every point of the picture.
        const QImage drawn = fixture->window().control<PreviewBox>(QStringLiteral("pic1"))->picture();
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), picture);
        verifyIdle(texts::kStatusWaiting);
    }

    void stopWhileWaitingForTheDevice()
    {
        test::PtyPair quiet;
        startWith(quiet.slavePath());
        QVERIFY(fixture->receiveUntil([&] { return status() == texts::kStatusWaiting; }));
        verifyIdle(texts::kStatusWaiting);
        QVERIFY(fixture->pictureFiles().isEmpty());
        QVERIFY(fixture->dialogs.messages.isEmpty());
        QCOMPARE(quiet.read(1, 200), QByteArray()); // no acknowledgement without a first byte
    }

    void portThatCannotBeOpened_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("storedPort");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail");
        QTest::newRow("missing device") << false << "1" << texts::kPortUnusable << "no-such-terminal";
        QTest::newRow("no port stored") << false << "" << texts::kPortUnusable << "";
        QTest::newRow("stored -1 names no port") << false << "-1" << texts::kPortUnusable << "";
        QTest::newRow("held by another port object") << true << "1" << texts::kPortInUse << "";
        // A machine with more UARTs has /dev/ttyS8: it is still no choice of the list.
        for (const char *stored : {"9", "99", "1e3", "abc"})
            QTest::addRow("stored %s names no port", stored)
                << false << stored << texts::kPortUnusable << QStringLiteral("ポート番号 %1 に").arg(stored);
    }
    void portThatCannotBeOpened()
    {
        QFETCH(bool, busy);
        QFETCH(QString, storedPort);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        test::PtyPair pty;
        DeviceSerialLine holder([&](int) { return pty.slavePath(); }, [] { return QString(); });
        if (busy)
            QCOMPARE(holder.openPort(), OpenResult::Opened);
        startWith(busy ? pty.slavePath() : QStringLiteral("/dev/pts/no-such-terminal"));
        fixture->storeSetting(kSnapSection, kPortKey, storedPort);
        fixture->receiveUntil([] { return false; }, 10000);
        QCOMPARE(fixture->dialogs.messages, QStringList{message});
        QVERIFY2(fixture->dialogs.details.first().contains(detail), qPrintable(fixture->dialogs.details.first()));
        verifyIdle(texts::kStatusCannotReceive);
    }

    // A settings file that cannot be written is said; the choice still counts for this run.
    void portChosenWhileTheSettingsCannotBeWritten()
    {
        test::PtyPair pty;
        fixture->storeSetting(kPortsSection, QStringLiteral("COM2"), pty.slavePath());
        startWith(QStringLiteral("/dev/pts/no-such-terminal"));
        const QString settingsFile = SettingsStore().fileName();
        test::ReadOnlyFolder readOnly(QFileInfo(settingsFile).path());
        QVERIFY2(readOnly.failure().isEmpty(), qPrintable(readOnly.failure()));
        auto *ports = fixture->window().control<QComboBox>(QStringLiteral("cmb_port"));
        ports->setCurrentIndex(1);
        emit ports->activated(1);
        QCOMPARE(fixture->dialogs.messages.size(), 1);
        QVERIFY(fixture->dialogs.messages.first().startsWith(
            texts::kChoiceNotStored.arg(settingsFile, QString::fromLocal8Bit(std::strerror(EROFS)))));
        QVERIFY(fixture->receiveUntil([&] { return pty.slaveOpen() && status() == texts::kStatusWaiting; }));
        QCOMPARE(fixture->dialogs.messages.size(), 1);
    }

    void lineLostDuringAPicture()
    {
        test::SimulatedDevice device;
        startWith(device.start({QStringLiteral("--hangup-after"), QStringLiteral("50000")}));
        fixture->receiveUntil([] { return false; }, 15000);
        QCOMPARE(fixture->dialogs.messages, QStringList{texts::kLineLostWhileReceiving});
        verifyIdle(texts::kStatusWaiting);
        QVERIFY(fixture->pictureFiles().isEmpty());
        const double before = test::processCpuSeconds();
        QTest::qWait(300);
        QVERIFY(test::processCpuSeconds() - before < 0.2);
    }

    // A device that sends whole copies without waiting for the answer, at
    // every moment around the open: a copy the open cuts into is dropped as
    // a whole, never taken for a header; the next one arrives intact.
    void copySentAroundTheOpen_data()
    {
        QTest::addColumn<int>("offsetMs");
        for (const int offset : {-30, -10, -4, -2, -1, 0, 1, 2, 4, 10, 30})
            QTest::addRow("%+d ms", offset) << offset;
    }
    void copySentAroundTheOpen()
    {
        QFETCH(int, offsetMs);
        test::PtyPair pty;
        startWith(pty.slavePath());
        const QByteArray header = QByteArray("HZAURUS").leftJustified(25, ' ');
        const QByteArray first = header + test::noiseBytes(quint32(40 + offsetMs));
        const QByteArray second = header + test::noiseBytes(7);
        constexpr int kLead = 40;
        std::atomic<bool> sent = false;
        std::thread device([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(kLead + offsetMs));
            pty.write(first);
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            pty.write(second);
            sent = true;
        });
        QTest::qWait(kLead);
        const bool saved = fixture->receiveUntil([&] { return !fixture->pictureFiles().isEmpty(); }, 10000);
        test::drainUntil(pty.slavePath(), sent); // what nobody took any more
        device.join();
        QCOMPARE(fixture->dialogs.messages, QStringList(header.contains("HZAURUS") ? 0 : 1, texts::kNotScreenCopy));
        QVERIFY(saved);
        const QByteArray pixels =
            test::readFileBytes(fixture->pictureFolder() + u'/' + fixture->pictureFiles().first());
        QVERIFY(pixels.mid(54) == test::expectedPixelData(first.mid(25)) ||
                pixels.mid(54) == test::expectedPixelData(second.mid(25)));
    }

    // What follows a refused header goes on coming, with gaps, as start is pressed again at once
    // (as after stop); none of it may be waiting at the open. It runs out unread; the next copy is saved.
    void restOfARefusedCopyAfterARestart()
    {
        test::PtyPair pty;
        startWith(pty.slavePath());
        const QByteArray next = QByteArray("HZAURUS").leftJustified(25, ' ') + test::noiseBytes(3);
        std::atomic<bool> sent = false;
        std::thread device([&] {
            pty.write("?");
            pty.read(3, 5000); // the answer
            for (int piece = 0; piece < 30; ++piece, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                pty.write(test::noiseBytes(quint32(piece), 1000)); // the header's rest, then pixels
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            pty.write(next);
            sent = true;
        });
        fixture->receiveUntil([] { return false; }, 3000); // ends at the refusal
        fixture->receiveUntil([&] { return !fixture->pictureFiles().isEmpty(); }, 10000);
        test::drainUntil(pty.slavePath(), sent);
        device.join();
        QCOMPARE(fixture->dialogs.messages, QStringList{texts::kNotScreenCopy});
        QCOMPARE(fixture->pictureFiles().size(), 1);
        const QByteArray file = test::readFileBytes(fixture->pictureFolder() + u'/' + fixture->pictureFiles().first());
        QVERIFY(file.mid(54) == test::expectedPixelData(next.mid(25)));
    }
};

VELSNAP_TEST_MAIN(ReceptionTest)
#include "test_reception.moc"
