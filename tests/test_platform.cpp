// What each system does its own way, through the same seam: a picture name
// in use, the trash, the Device Manager's states, and on Windows the causes of failed
// opens and the meaning of COM n.
// Runs natively and, cross-built, under Wine (scripts/test-windows.sh also
// stops a capture there with Ctrl+C).
#include "folders/picture_trash.h"
#include "picture/picture_file.h"
#include "platform/file_commit.h"
#include "serial/device_manager_doctor.h"
#include "support/headless_environment.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#ifdef Q_OS_WIN
#include "platform/port_search.h"
#include "platform/windows/open_failure.h"
#include "serial/device_serial_line.h"
#include "serial/open_failure_text.h"

#include <windows.h>
#endif

using namespace velsnap;

class PlatformTest : public QObject {
    Q_OBJECT

    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void takenNameIsNeverReplaced_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("folderGone");
        QTest::addColumn<int>("result");
        QTest::newRow("free name") << false << false << int(FileStep::Done);
        QTest::newRow("name in use") << true << false << int(FileStep::NameTaken);
        QTest::newRow("folder gone meanwhile") << false << true << int(FileStep::Failed);
    }
    void takenNameIsNeverReplaced()
    {
        QFETCH(bool, taken);
        QFETCH(bool, folderGone);
        QFETCH(int, result);
        QTemporaryDir folder;
        QString temporary;
        QCOMPARE(writeTemporaryFile(folder.path(), "new", temporary).result, FileStep::Done);
        QCOMPARE(test::readFileBytes(temporary), QByteArray("new"));
        const QString target = folderGone ? folder.filePath(QStringLiteral("gone/a.bmp")) : folder.filePath("a.bmp");
        if (taken)
            put(target, "old");
        const FileStep step = commitWithoutReplacing(temporary, target);
        QCOMPARE(int(step.result), result);
        QCOMPARE(step.reason.isEmpty(), result != FileStep::Failed);
        QCOMPARE(test::readFileBytes(target), QByteArray(taken ? "old" : result == FileStep::Done ? "new" : ""));
        QCOMPARE(QFile::exists(temporary), result != FileStep::Done);
    }

    void pictureTakesTheNextFreeName()
    {
        QTemporaryDir folder;
        const QDateTime when(QDate(2026, 12, 8), QTime(9, 1, 2));
        put(folder.filePath(QStringLiteral("261208_090102.png")), "someone else's");
        const PictureWriteResult written =
            writePictureFile({}, folder.path(), when, QByteArray(240 * 960, '\x7f'), PictureFormat::Png);
        QCOMPARE(written.fileName, QStringLiteral("261208_090102_2.png"));
        QCOMPARE(test::readFileBytes(folder.filePath(QStringLiteral("261208_090102.png"))),
                 QByteArray("someone else's"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void pictureGoesToTheTrashOrSaysWhyNot()
    {
        QTemporaryDir folder;
        const QString picture = folder.filePath(QStringLiteral("261208_090102.bmp"));
        put(picture, "BM");
        const QString reason = moveToTrash(picture);
#ifdef Q_OS_WIN
        // Wine's shell has no Recycle Bin behind IFileOperation ("Not implemented."):
        // there the file stays and the reason is given, as for any file that cannot go.
        if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
            QVERIFY(!reason.isEmpty());
            QVERIFY(QFile::exists(picture));
            return;
        }
#endif
        // The desktop's trash on Linux, the Recycle Bin on Windows.
        QCOMPARE(reason, QString());
        QVERIFY(!QFile::exists(picture));
        QVERIFY(!moveToTrash(picture).isEmpty()); // gone already
    }

    // A made-up Device Manager: the doctor's word on COM 5 in each state.
    void deviceManagerStatesHaveTheirCure_data()
    {
        QTest::addColumn<QString>("chosenId");
        QTest::addColumn<unsigned>("problem");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("portsListed");
        const QString ch340 = QStringLiteral("USB\\VID_1A86&PID_7523&REV_0254");
        const QString pl2303 = QStringLiteral("USB\\VID_067B&PID_2303&REV_0300");
        const QString name = QStringLiteral("COM5（USB-SERIAL）");
        QTest::newRow("working") << ch340 << 0u << true << texts::kDoctorPnpWorking.arg(name) << false;
        QTest::newRow("counterfeit PL2303 (10)")
            << pl2303 << 10u << true << texts::kDoctorPnpCounterfeitPl2303.arg(name) << true;
        QTest::newRow("other chip will not start (10)")
            << ch340 << 10u << true << texts::kDoctorPnpFailedStart.arg(name) << true;
        QTest::newRow("disabled (22)") << ch340 << 22u << true << texts::kDoctorPnpDisabled.arg(name) << true;
        QTest::newRow("no driver (28)") << ch340 << 28u << true
                                        << texts::kDoctorPnpNoDriver.arg(name, texts::kDriverWch) << true;
        QTest::newRow("unplugged (45)") << ch340 << 0u << false << texts::kDoctorPnpNotPlugged.arg(name) << true;
        QTest::newRow("another code") << ch340 << 31u << true << texts::kDoctorPnpProblem.arg(name).arg(31) << true;
        QTest::newRow("no COM5 at all") << QString() << 0u << true << QString() << true;
    }
    void deviceManagerStatesHaveTheirCure()
    {
        QFETCH(QString, chosenId);
        QFETCH(unsigned, problem);
        QFETCH(bool, present);
        QFETCH(QString, said);
        QFETCH(bool, portsListed);
        std::vector<PnpDevice> devices{
            {QStringLiteral("COM1"), QStringLiteral("通信ポート"), QStringLiteral("ACPI\\PNP0501")},
            {QString(), QStringLiteral("USB Serial"), QStringLiteral("USB\\VID_1A86&PID_7523"), kPnpNoDriver}};
        if (!chosenId.isEmpty())
            devices.push_back({QStringLiteral("COM5"), QStringLiteral("USB-SERIAL"), chosenId, problem, present});
        const std::vector<PortFinding> findings = examineComPort(QStringLiteral("com5"), devices);
        QVERIFY(findings.size() >= 2);
        if (!said.isEmpty()) {
            QCOMPARE(findings.front().text, said);
            QCOMPARE(findings.front().problem, problem != 0 || !present);
        }
        // Where COM5 is of no use, the ports that exist; always the adapter that has no driver, and no port.
        const bool listed = std::any_of(findings.begin(), findings.end(), [](const PortFinding &finding) {
            return finding.text == texts::kDoctorComPorts.arg(QStringLiteral("COM1（通信ポート）"));
        });
        QCOMPARE(listed, portsListed);
        QCOMPARE(findings.back().text, texts::kDoctorPnpNoDriver.arg(QStringLiteral("USB Serial"), texts::kDriverWch));
    }

#ifdef Q_OS_WIN
    void errorCodesHaveTheirCause_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("cause");
        QTest::addColumn<int>("result");
        const int unusable = int(OpenResult::Unusable);
        const int inUse = int(OpenResult::InUse);
        QTest::newRow("no such port") << int(ERROR_FILE_NOT_FOUND) << int(OpenCause::Missing) << unusable;
        QTest::newRow("no such path") << int(ERROR_PATH_NOT_FOUND) << int(OpenCause::Missing) << unusable;
        QTest::newRow("open in another program") << int(ERROR_ACCESS_DENIED) << int(OpenCause::Held) << inUse;
        QTest::newRow("shared") << int(ERROR_SHARING_VIOLATION) << int(OpenCause::Held) << inUse;
        QTest::newRow("adapter gone") << int(ERROR_DEVICE_NOT_CONNECTED) << int(OpenCause::NoHardware) << unusable;
        QTest::newRow("needs rights") << int(ERROR_PRIVILEGE_NOT_HELD) << int(OpenCause::NotAllowed) << unusable;
        QTest::newRow("no serial device") << int(ERROR_INVALID_FUNCTION) << int(OpenCause::NotTerminal) << unusable;
        QTest::newRow("anything else") << int(ERROR_OUTOFMEMORY) << int(OpenCause::Unknown) << int(OpenResult::Failed);
    }
    void errorCodesHaveTheirCause()
    {
        QFETCH(int, code);
        QFETCH(int, cause);
        QFETCH(int, result);
        QCOMPARE(int(openCauseOf(DWORD(code))), cause);
        QCOMPARE(int(openResultFor(OpenCause(cause))), result);
        const QString text = openFailureSentence({OpenCause(cause), QStringLiteral("COM3"), {}, QStringLiteral("why")},
                                                 QStringLiteral("3"));
        QVERIFY2(text.contains(QStringLiteral("COM3")), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("why")), cause == int(OpenCause::Unknown));
    }

    void openOfWhatIsNoPortSaysSo_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("result");
        QTest::newRow("port the system lacks") << QStringLiteral("COM199") << int(OpenResult::Unusable);
        QTest::newRow("plain file") << QStringLiteral("file") << int(OpenResult::Unusable);
        QTest::newRow("folder") << QStringLiteral(".") << int(OpenResult::Unusable);
        QTest::newRow("no port number") << QString() << int(OpenResult::Unusable);
    }
    void openOfWhatIsNoPortSaysSo()
    {
        QFETCH(QString, device);
        QFETCH(int, result);
        QTemporaryDir folder;
        put(folder.filePath(QStringLiteral("file")), "x");
        const QString path = device.startsWith(QStringLiteral("COM")) || device.isEmpty()
                                 ? device
                                 : QDir::toNativeSeparators(folder.filePath(device));
        DeviceSerialLine line([&](int) { return path; }, [] { return QStringLiteral("1"); });
        QCOMPARE(int(line.openPort()), result);
        QVERIFY(!line.portOpen());
        QVERIFY(line.openFailureReason().contains(device.isEmpty() ? QStringLiteral("COM 1") : path));
    }

    void comNumbersMeanTheirNames_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("source");
        QTest::newRow("found") << 3 << QStringLiteral("COM3") << int(PortSource::Found);
        QTest::newRow("not there now") << 4 << QStringLiteral("COM4") << int(PortSource::Fallback);
        QTest::newRow("stored entry") << 1 << QStringLiteral("COM7") << int(PortSource::Mapped);
        QTest::newRow("no number") << 0 << QString() << int(PortSource::None);
    }
    void comNumbersMeanTheirNames()
    {
        QFETCH(int, port);
        QFETCH(QString, device);
        QFETCH(int, source);
        std::vector<FoundPort> found(2);
        found[0].systemPath = QStringLiteral("COM3");
        found[1].systemPath = QStringLiteral("COM1");
        const PortAssignment assignment = assignPort(port, {{1, QStringLiteral("COM7")}}, found);
        QCOMPARE(assignment.device, device);
        QCOMPARE(int(assignment.source), source);
    }
#endif
};

VELSNAP_CORE_TEST_MAIN(PlatformTest)
#include "test_platform.moc"
