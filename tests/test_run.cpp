// The reception run's protocol on a scripted line: no window, no terminal,
// no other program; each case takes milliseconds.
#include "folders/program_folders.h"
#include "run/reception_run.h"
#include "support/expected_picture.h"
#include "support/headless_environment.h"
#include "support/recording_front_end.h"
#include "support/scripted_line.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QTimer>

using namespace velsnap;
using Label = ReceptionFrontEnd::ReportLabel;

namespace {

const QByteArray kAck("\x4F\x4B\x0D", 3);
const QByteArray kHeader = QByteArray("..HZAURUS.............").leftJustified(25, '.');
const QByteArray kMi500Header = QByteArray("HZAURUS MI500").leftJustified(25, ' ');

} // namespace

class RunTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    ProgramFolders m_folders;
    std::unique_ptr<test::ScriptedLine> line;
    std::unique_ptr<test::RecordingFrontEnd> frontEnd;
    std::unique_ptr<ReceptionRun> run;

    QStringList pictures() const { return QDir(m_folders.image_path).entryList(QDir::Files | QDir::Hidden); }
    // Presses the button as the user would, from inside the run's waits.
    void pressLater(int ms = 0)
    {
        QTimer::singleShot(ms, this, [this] { run->cmd_receive_Click(); });
    }
    // Starts the loop and stops it once a run waits for the device again,
    // or after a while; returns when the loop has ended.
    void loopUntilNextWait()
    {
        int waits = 0;
        frontEnd->onStatus = [&](const QString &status) {
            if (status == texts::kStatusWaiting && ++waits == 2)
                pressLater();
        };
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [this] {
            if (run->state() != ReceptionRun::State::Idle || line->portOpen())
                run->cmd_receive_Click();
        });
        guard.start(5000);
        run->cmd_receive_Click();
        frontEnd->onStatus = nullptr; // it counts in this frame
    }
    void verifyStopped()
    {
        QCOMPARE(frontEnd->statuses.last(), texts::kStatusWaiting);
        QCOMPARE(frontEnd->caption, texts::kButtonStartIdle);
        QVERIFY(frontEnd->portChoice);
        QVERIFY(!line->portOpen());
        QVERIFY(!run->receiving());
        QCOMPARE(run->state(), ReceptionRun::State::Idle);
        QCOMPARE(frontEnd->report[Label::Start], texts::kStartTime);
        QCOMPARE(frontEnd->report[Label::Bytes], QString());
        QVERIFY(pictures().isEmpty());
    }
    void verifyPicture(const QByteArray &sent)
    {
        QCOMPARE(pictures().size(), 1);
        const QByteArray file = test::readFileBytes(m_folders.image_path + pictures().first());
        QCOMPARE(file.size(), 230454);
        QCOMPARE(file.left(54), test::readFileBytes(m_folders.app_path + QStringLiteral("24bit.hed")));
        QVERIFY(file.mid(54) == test::expectedPixelData(sent));
    }

private slots:
    void init()
    {
        m_folders = programFoldersFor(m_folder.path(), true, {});
        QDir(m_folder.path()).removeRecursively();
        QDir().mkpath(m_folders.image_path);
        QFile::copy(QStringLiteral(VELSNAP_SOURCE_DIR "/resources/24bit.hed"), m_folders.app_path + "24bit.hed");
        line = std::make_unique<test::ScriptedLine>();
        frontEnd = std::make_unique<test::RecordingFrontEnd>();
        run = std::make_unique<ReceptionRun>(ReceptionRun::Services{*line, *frontEnd, m_folders, [] { return 3; }});
    }

    void wholePicture_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("lateBytes"); // arrive 30 ms after the rest
        QTest::addColumn<bool>("trickle");  // the header byte by byte after the acknowledgement
        QTest::newRow("marker inside the header") << kHeader << 0 << false;
        QTest::newRow("header split, acknowledged at its first byte") << kHeader << 0 << true;
        QTest::newRow("extra byte after the variant's header arrives late") << kMi500Header << 1 << false;
        QTest::newRow("last block arrives late") << kHeader << 9600 << false;
    }
    void wholePicture()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, lateBytes);
        QFETCH(bool, trickle);
        const QByteArray sent = test::noiseBytes(7);
        QByteArray wire = header + (header.contains("MI500") ? QByteArray("x") : QByteArray()) + sent;
        test::ScriptedLine::Session &session = line->session();
        session.arrive(wire.left(1));
        if (trickle) {
            for (int i = 1; i < header.size(); ++i)
                session.arriveAfterAck(wire.mid(i, 1), i);
            wire = wire.mid(header.size());
            session.arriveAfterAck(wire.left(wire.size() - lateBytes), 30);
        } else {
            const int early = lateBytes == 1 ? header.size() : wire.size() - lateBytes;
            session.arriveAfterAck(wire.mid(1, early - 1));
            wire = wire.mid(early);
            if (lateBytes == 1)
                lateBytes = wire.size();
        }
        if (lateBytes)
            session.arriveAfterAck(wire.right(lateBytes), 30);

        loopUntilNextWait();
        verifyPicture(sent);
        QCOMPARE(line->written, kAck); // once, and nothing more
        QCOMPARE(line->opens, 2);      // the next run opened the port again
        QCOMPARE(line->commPort, 3);
        QCOMPARE(frontEnd->statuses.mid(0, 6),
                 (QStringList{texts::kStatusCannotReceive, texts::kStatusPortOpen, texts::kStatusWaiting,
                              texts::kStatusReceiving, texts::kStatusCannotReceive, texts::kStatusComplete}));
        QCOMPARE(frontEnd->saved, QStringList{m_folders.image_path + pictures().first()});
        QCOMPARE(frontEnd->lastPicture.size(), QSize(320, 240));
        QVERIFY(frontEnd->messages.isEmpty());
    }

    void completedReportAndPreview()
    {
        const QByteArray sent = test::noiseBytes(11);
        line->session().arrive(kHeader.left(1)).arriveAfterAck(kHeader.mid(1) + sent);
        frontEnd->preview = true;
        QStringList report;
        frontEnd->onStatus = [&](const QString &status) {
            if (status == texts::kStatusComplete)
                report = {frontEnd->report[Label::Start], frontEnd->report[Label::End], frontEnd->report[Label::Time],
                          frontEnd->report[Label::Bytes]};
        };
        QCOMPARE(run->receive_image(), RunOutcome::Saved);
        QVERIFY(QTime::fromString(report.at(0), QStringLiteral("HH:mm:ss")).isValid());
        QVERIFY(QTime::fromString(report.at(1), QStringLiteral("HH:mm:ss")).isValid());
        QCOMPARE(report.at(2), QStringLiteral("0:00:00"));
        QCOMPARE(report.at(3), QStringLiteral(" 230400"));
        QCOMPARE(frontEnd->drawn, frontEnd->lastPicture.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(run->state(), ReceptionRun::State::Idle);
        QVERIFY(!run->receiving());
    }

    void markerMustBeExact_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("lower case") << QByteArray("hzaurus").leftJustified(25, ' ');
        QTest::newRow("cut by the 25th byte") << QByteArray(20, ' ') + "HZAURUS";
    }
    void markerMustBeExact()
    {
        QFETCH(QByteArray, header);
        line->session().arrive(header.left(1)).arriveAfterAck(header.mid(1) + test::noiseBytes(1));
        run->cmd_receive_Click(); // returns: the loop ends at the rejected header
        QCOMPARE(frontEnd->messages, QStringList{texts::kNotScreenCopy + u'|'});
        QCOMPARE(frontEnd->statuses.last(), texts::kStatusCannotReceive);
        QCOMPARE(frontEnd->caption, texts::kButtonStartIdle);
        QVERIFY(!line->portOpen());
        QVERIFY(!run->receiving());
        QVERIFY(pictures().isEmpty());
        QCOMPARE(line->opens, 1);
    }

    void stop_data()
    {
        QTest::addColumn<QString>("atStatus"); // stop once this status shows ...
        QTest::addColumn<int>("atBytes");      // ... or once this many bytes are converted
        QTest::addColumn<bool>("atOnce");      // from inside the conversion, not from a wait
        QTest::newRow("waiting for the device") << texts::kStatusWaiting << 0 << false;
        QTest::newRow("waiting for the header") << texts::kStatusReceiving << 0 << false;
        QTest::newRow("waiting for a block") << QString() << 28800 << false;
        QTest::newRow("between two blocks") << QString() << 72000 << true;
        QTest::newRow("in the middle of a block") << QString() << 960 << true;
    }
    void stop()
    {
        QFETCH(QString, atStatus);
        QFETCH(int, atBytes);
        QFETCH(bool, atOnce);
        // The header and two blocks, then the rest only much later.
        const QByteArray wire = kHeader + test::noiseBytes(3);
        test::ScriptedLine::Session &session = line->session();
        if (atStatus == texts::kStatusWaiting)
            session.arrive(wire.left(1), 2000);
        else if (atStatus == texts::kStatusReceiving)
            session.arrive(wire.left(1)).arriveAfterAck(wire.mid(1), 2000);
        else
            session.arrive(wire.left(1))
                .arriveAfterAck(wire.mid(1, 25 + (atOnce ? 6 : 2) * 9600 - 1))
                .arriveAfterAck(wire.mid(25 + (atOnce ? 6 : 2) * 9600), 2000);
        bool pressed = false; // once: the cancel path shows the waiting status again
        frontEnd->onStatus = [&](const QString &status) {
            if (status == atStatus && !std::exchange(pressed, true))
                pressLater();
        };
        frontEnd->onProgress = [&](int bytes) {
            if (bytes == atBytes && !std::exchange(pressed, true))
                atOnce ? run->cmd_receive_Click() : pressLater();
        };
        run->cmd_receive_Click();
        verifyStopped();
        QCOMPARE(line->opens, 1); // the loop ended with the run
        QVERIFY(frontEnd->messages.isEmpty());
        QCOMPARE(frontEnd->caption, texts::kButtonStartIdle);
    }

    void lineLost_data()
    {
        QTest::addColumn<int>("bytesBefore"); // what arrived before the line went
        QTest::addColumn<QString>("message");
        QTest::newRow("waiting for the device") << 0 << texts::kLineLostWhileWaiting;
        QTest::newRow("waiting for the header") << 10 << texts::kLineLostWhileReceiving;
        QTest::newRow("waiting for a block") << 25 + 5 * 9600 + 100 << texts::kLineLostWhileReceiving;
        QTest::newRow("waiting for the last block") << 25 + 15 * 9600 << texts::kLineLostWhileReceiving;
    }
    void lineLost()
    {
        QFETCH(int, bytesBefore);
        QFETCH(QString, message);
        const QByteArray wire = kHeader + test::noiseBytes(5);
        if (bytesBefore == 0)
            line->session().hangUp(20);
        else
            line->session().arrive(wire.left(1)).arriveAfterAck(wire.mid(1, bytesBefore - 1)).hangUpAfterAck(20);
        run->cmd_receive_Click();
        QCOMPARE(frontEnd->messages, QStringList{message + u'|'});
        verifyStopped();
        QCOMPARE(line->opens, 1);
    }

    void portThatCannotBeOpened_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("unusable") << int(OpenResult::Unusable) << texts::kPortUnusable + QStringLiteral("|/dev/x: why");
        QTest::newRow("in use") << int(OpenResult::InUse) << texts::kPortInUse + QStringLiteral("|/dev/x: why");
        QTest::newRow("anything else, silently") << int(OpenResult::Failed) << QString();
    }
    void portThatCannotBeOpened()
    {
        QFETCH(int, result);
        QFETCH(QString, message);
        test::ScriptedLine::Session &session = line->session();
        session.open = OpenResult(result);
        session.openFailureReason = QStringLiteral("/dev/x: why");
        run->cmd_receive_Click();
        QCOMPARE(frontEnd->messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(frontEnd->statuses.last(), texts::kStatusCannotReceive);
        QCOMPARE(frontEnd->caption, texts::kButtonStartIdle);
        QCOMPARE(run->lastOpenResult(), OpenResult(result));
        QCOMPARE(line->opens, 1);
    }

    void pictureThatCannotBeWritten()
    {
        QVERIFY(QFile::remove(m_folders.app_path + QStringLiteral("24bit.hed")));
        line->session().arrive(kHeader.left(1)).arriveAfterAck(kHeader.mid(1) + test::noiseBytes(2));
        run->cmd_receive_Click(); // returns: the loop ends
        QCOMPARE(frontEnd->messages.size(), 1);
        QVERIFY(frontEnd->messages.first().contains(QStringLiteral("24bit.hed")));
        QCOMPARE(frontEnd->statuses.last(), texts::kStatusCannotReceive);
        QCOMPARE(frontEnd->caption, texts::kButtonStartIdle);
        QVERIFY(!run->receiving());
        QVERIFY(pictures().isEmpty());
        QCOMPARE(frontEnd->saved, QStringList());
    }

    void silenceGivesUpOnlyInTheMiddleOfAPicture()
    {
        run->setSilenceLimit(150);
        const QByteArray wire = kHeader + test::noiseBytes(9);
        // A device that says nothing for long is just not sending yet ...
        line->session().arrive(wire.left(1), 400).arriveAfterAck(wire.mid(1, 25 + 9600 - 1));
        QCOMPARE(run->receive_image(), RunOutcome::Silent);
        QCOMPARE(frontEnd->messages.size(), 1);
        QVERIFY(frontEnd->messages.first().startsWith(texts::kLineSilent.arg(0.15)));
        QCOMPARE(frontEnd->statuses.last(), texts::kStatusWaiting);
        QVERIFY(!line->portOpen());
        QVERIFY(pictures().isEmpty());
        // ... and the next copy is taken whole.
        run->rearm();
        line->session().arrive(wire.left(1)).arriveAfterAck(wire.mid(1));
        QCOMPARE(run->receive_image(), RunOutcome::Saved);
        verifyPicture(wire.mid(25));
    }
};

VELSNAP_CORE_TEST_MAIN(RunTest)
#include "test_run.moc"
