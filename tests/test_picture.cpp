// Pixel conversion, buffer placement, the header template, picture files and times.
#include "picture/picture_file.h"
#include "picture/pixel_conversion.h"
#include "picture/time_report.h"
#include "support/expected_picture.h"
#include "support/simulated_device.h"
#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

using namespace velsnap;

namespace {

// Records what the conversion tells the window.
struct RecordingObserver : ConversionObserver {
    bool cancelled() const override { return cancelAfterPoints >= 0 && points >= cancelAfterPoints; }
    bool previewOn() const override { return preview; }
    void drawPoint(int, int, Bgr) override { ++points; }
    void rowsConverted(int byteCount) override { counts << byteCount; }

    bool preview = true;
    int cancelAfterPoints = -1;
    int points = 0;
    QList<int> counts;
};

QByteArray blockOf(quint8 low, quint8 high)
{
    QByteArray block(kBlockBytes, '\0');
    for (int p = 0; p < kBlockBytes; p += 2) {
        block[p] = char(low);
        block[p + 1] = char(high);
    }
    return block;
}

// A small file system of its own, mounted for one test; needs root.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString &options)
    {
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                                       QStringLiteral("tmpfs"), m_point.path()}) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_point.path()});
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_point.path(); }

private:
    QTemporaryDir m_point;
    bool m_mounted = false;
};

QString templatePath()
{
    return QDir(test::binFolder()).filePath(QStringLiteral("24bit.hed"));
}

Bgr pixelAt(const QByteArray &buffer, int index)
{
    return {quint8(buffer[index]), quint8(buffer[index + 1]), quint8(buffer[index + 2])};
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void pixelFormula_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("red");
        QTest::newRow("black") << 0x00 << 0x00 << 0 << 0 << 0;
        QTest::newRow("white, no bit replication") << 0xFF << 0xFF << 248 << 252 << 248;
        QTest::newRow("blue 0x001F") << 0x1F << 0x00 << 248 << 0 << 0;
        QTest::newRow("red 0xF800") << 0x00 << 0xF8 << 0 << 0 << 248;
        QTest::newRow("green 0x07E0") << 0xE0 << 0x07 << 0 << 252 << 0;
        QTest::newRow("lowest green bit 0x0020") << 0x20 << 0x00 << 0 << 4 << 0;
    }
    void pixelFormula()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, blue);
        QFETCH(int, green);
        QFETCH(int, red);
        QCOMPARE(convertPixel(quint8(low), quint8(high)), (Bgr{quint8(blue), quint8(green), quint8(red)}));
    }

    void blocksFillTheBufferBottomUp()
    {
        QByteArray buffer(kPictureBufferBytes, char(0x55));
        ConversionState state;
        RecordingObserver observer;
        // Block k is all one grey level, so every buffer row tells which block wrote it.
        for (int block = 0; block < kBlockCount; ++block)
            QCOMPARE(convertBlock(blockOf(quint8(block * 8), 0), state, buffer, observer), BlockOutcome::Converted);

        QCOMPARE(pixelAt(buffer, 229440), convertPixel(0, 0));                    // first row received: bottom row
        QCOMPARE(pixelAt(buffer, 0), convertPixel(quint8(15 * 8), 0));            // last row received: top row
        QCOMPARE(pixelAt(buffer, 15 * 960 - 3), convertPixel(quint8(15 * 8), 0)); // block 16: buffer rows 0..14
        QCOMPARE(pixelAt(buffer, 15 * 960), convertPixel(quint8(14 * 8), 0));     // block 15 starts above them
        QVERIFY(!buffer.contains(QByteArray(3, char(0x55))));                     // every byte written
        QCOMPARE(state.i, kBufferRowBytes);
        QCOMPARE(observer.points, kPictureWidth * kPictureHeight);
        QCOMPARE(observer.counts.size(), kPictureHeight);
        QCOMPARE(observer.counts.at(14), 15 * 960);
        QCOMPARE(observer.counts.first(), 960);
        QCOMPARE(observer.counts.last(), 230400);
    }

    void previewOffDrawsNothing()
    {
        QByteArray buffer(kPictureBufferBytes, '\0');
        ConversionState state;
        RecordingObserver observer;
        observer.preview = false;
        convertBlock(blockOf(0xFF, 0xFF), state, buffer, observer);
        QCOMPARE(observer.points, 0);
        QCOMPARE(observer.counts.size(), 15);
    }

    void cancelStopsBeforeTheNextPixel()
    {
        QByteArray buffer(kPictureBufferBytes, '\0');
        ConversionState state;
        RecordingObserver observer;
        observer.cancelAfterPoints = 5;
        QCOMPARE(convertBlock(blockOf(0xFF, 0xFF), state, buffer, observer), BlockOutcome::Cancelled);
        QCOMPARE(state.x, 5);
        QCOMPARE(pixelAt(buffer, 229440 + 12), (Bgr{248, 252, 248}));
        QCOMPARE(pixelAt(buffer, 229440 + 15), (Bgr{0, 0, 0}));
    }

    void headerTemplateDescribesTheBufferAsABitmap()
    {
        QFile file(QDir(test::binFolder()).filePath(QStringLiteral("24bit.hed")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray h = file.readAll();
        QCOMPARE(h.size(), 54);
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(h.constData() + at); };
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(h.constData() + at); };
        const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(h.constData() + at); };
        QCOMPARE(h.left(2), QByteArray("BM"));
        QCOMPARE(u32(2), 230454u);  // file size
        QCOMPARE(u32(10), 54u);     // pixel data offset
        QCOMPARE(u32(14), 40u);     // information header size
        QCOMPARE(s32(18), 320);     // width
        QCOMPARE(s32(22), 240);     // height, positive: bottom-up
        QCOMPARE(u16(26), 1);       // planes
        QCOMPARE(u16(28), 24);      // bits per pixel
        QCOMPARE(u32(30), 0u);      // uncompressed
        QCOMPARE(u32(34), 230400u); // image size
    }

    void fileNames_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("name");
        QTest::newRow("leading zeros") << QDateTime(QDate(2001, 1, 9), QTime(8, 5, 3)) << "010109_080503.bmp";
        QTest::newRow("afternoon") << QDateTime(QDate(1998, 3, 5), QTime(14, 7, 9)) << "980305_140709.bmp";
        QTest::newRow("last second of the year")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << "261231_235959.bmp";
    }
    void fileNames()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, name);
        QCOMPARE(pictureFileName(when), name);
    }

    void sameSecondGetsASuffix()
    {
        const QDateTime when(QDate(2026, 12, 7), QTime(9, 0, 1));
        QStringList taken;
        for (int i = 0; i < 3; ++i)
            taken << freePictureFileName(when, [&](const QString &name) { return taken.contains(name); });
        QCOMPARE(taken, (QStringList{"261207_090001.bmp", "261207_090001_2.bmp", "261207_090001_3.bmp"}));
    }

    void writtenFileIsTemplatePlusBuffer()
    {
        QTemporaryDir folder;
        const QString templatePath = QDir(test::binFolder()).filePath(QStringLiteral("24bit.hed"));
        QByteArray buffer(kPictureBufferBytes, '\0');
        buffer[0] = char(10); // top-left of the buffer: the bottom-left pixel
        buffer[1] = char(20);
        buffer[2] = char(30);
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4, 5));

        // The picture folder has gone since start-up (moved, deleted): it is made again.
        const QString pictures = folder.filePath(QStringLiteral("gone/bmp"));
        const PictureWriteResult first = writePictureFile(templatePath, pictures, when, buffer);
        const PictureWriteResult second = writePictureFile(templatePath, pictures, when, buffer);
        QVERIFY2(first.ok(), qPrintable(first.error));
        QCOMPARE(first.fileName, QStringLiteral("260102_030405.bmp"));
        QCOMPARE(second.fileName, QStringLiteral("260102_030405_2.bmp"));
        QCOMPARE(QDir(pictures).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left

        QFile file(QDir(pictures).filePath(first.fileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QFile header(templatePath);
        QVERIFY(header.open(QIODevice::ReadOnly));
        QCOMPARE(bytes.size(), kPictureFileBytes);
        QCOMPARE(bytes.left(54), header.readAll());
        QCOMPARE(bytes.mid(54), buffer);
        const QImage picture(file.fileName());
        QCOMPARE(picture.size(), QSize(320, 240));
        QCOMPARE(picture.pixel(0, 239), qRgb(30, 20, 10));
    }

    void unwritablePicturesAreReportedAndLeaveNothing_data()
    {
        QTest::addColumn<QString>("templateContent"); // "-" for no template at all
        QTest::addColumn<bool>("folderIsAFile");
        QTest::addColumn<QString>("named");
        QTest::newRow("template missing") << "-" << false << "24bit.hed";
        QTest::newRow("template short") << "BM too short" << false << "24bit.hed";
        QTest::newRow("picture folder unusable") << QString(54, u'x') << true << "bmp";
    }
    void unwritablePicturesAreReportedAndLeaveNothing()
    {
        QFETCH(QString, templateContent);
        QFETCH(bool, folderIsAFile);
        QFETCH(QString, named);
        QTemporaryDir program;
        const QString templatePath = program.filePath(QStringLiteral("24bit.hed"));
        if (templateContent != QStringLiteral("-")) {
            QFile file(templatePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(templateContent.toLatin1());
        }
        const QString folder = program.filePath(QStringLiteral("bmp"));
        if (folderIsAFile) {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkdir(folder));
        }

        const PictureWriteResult result =
            writePictureFile(templatePath, folder, QDateTime::currentDateTime(), QByteArray(kPictureBufferBytes, '\0'));
        QVERIFY(!result.ok());
        QVERIFY2(result.error.contains(named), qPrintable(result.error));
        if (!folderIsAFile)
            QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void twoWritersInTheSameSecondKeepEveryPicture()
    {
        // Another program's file under the first name stays as it is.
        QTemporaryDir folder;
        const QDateTime when(QDate(2026, 3, 5), QTime(14, 7, 9));
        QFile theirs(folder.filePath(pictureFileName(when)));
        QVERIFY(theirs.open(QIODevice::WriteOnly) && theirs.write("theirs") == 6);
        theirs.close();

        constexpr int kWriters = 4;
        constexpr int kPictures = 10;
        std::vector<PictureWriteResult> results(kWriters * kPictures);
        std::vector<std::thread> writers;
        for (int writer = 0; writer < kWriters; ++writer) {
            writers.emplace_back([&, writer] {
                const QByteArray buffer(kPictureBufferBytes, char(writer));
                for (int i = 0; i < kPictures; ++i)
                    results[writer * kPictures + i] = writePictureFile(templatePath(), folder.path(), when, buffer);
            });
        }
        for (std::thread &writer : writers)
            writer.join();

        QHash<int, int> picturesOf;
        for (const PictureWriteResult &result : results) {
            QVERIFY2(result.ok(), qPrintable(result.error));
            QFile file(folder.filePath(result.fileName));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes.size(), kPictureFileBytes);
            ++picturesOf[bytes.at(kPictureFileBytes - 1)];
        }
        for (int writer = 0; writer < kWriters; ++writer)
            QCOMPARE(picturesOf.value(writer), kPictures);
        QVERIFY(theirs.open(QIODevice::ReadOnly));
        QCOMPARE(theirs.readAll(), QByteArray("theirs"));
        // Every picture under a name of its own, no temporary left.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), kWriters * kPictures + 1);
    }

    void diskFailuresAreReportedInTheSystemsWords_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("error");
        QTest::newRow("disk full") << "size=64k" << ENOSPC;
        QTest::newRow("read-only") << "ro,size=1m" << EROFS;
    }
    void diskFailuresAreReportedInTheSystemsWords()
    {
        QFETCH(QString, options);
        QFETCH(int, error);
        const SmallFileSystem disk(options);
        if (!disk.mounted())
            QSKIP("mounting a small tmpfs needs root (mount -t tmpfs); run the tests as root to check a full disk");

        // Noise: even as a PNG it does not fit.
        const QByteArray buffer = test::noiseBytes(7, kPictureBufferBytes);
        for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png}) {
            const PictureWriteResult result =
                writePictureFile(templatePath(), disk.path(), QDateTime::currentDateTime(), buffer, format);
            QVERIFY(!result.ok());
            const QString reason = QString::fromLocal8Bit(std::strerror(error));
            QVERIFY2(result.error.endsWith(u'\n' + reason), qPrintable(result.error));
            QVERIFY(result.error.startsWith(QStringLiteral("画像ファイルを書き込めません: ") + disk.path()));
            QVERIFY(QDir(disk.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        }
    }

    void pngHoldsTheSamePixels()
    {
        QTemporaryDir folder;
        QByteArray buffer(kPictureBufferBytes, '\0');
        for (int i = 0; i < buffer.size(); ++i)
            buffer[i] = char(i * 7 % 251);
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4, 5));
        const PictureWriteResult bmp = writePictureFile(templatePath(), folder.path(), when, buffer);
        const PictureWriteResult png =
            writePictureFile(templatePath(), folder.path(), when, buffer, PictureFormat::Png);
        const PictureWriteResult second =
            writePictureFile(templatePath(), folder.path(), when, buffer, PictureFormat::Png);
        QVERIFY2(png.ok(), qPrintable(png.error));
        QCOMPARE(bmp.fileName, QStringLiteral("260102_030405.bmp"));
        QCOMPARE(png.fileName, QStringLiteral("260102_030405.png"));
        QCOMPARE(second.fileName, QStringLiteral("260102_030405_2.png"));

        QFile file(folder.filePath(png.fileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("\x89PNG"));
        const QImage fromPng(folder.filePath(png.fileName));
        QCOMPARE(fromPng.size(), QSize(320, 240));
        QCOMPARE(fromPng.convertToFormat(QImage::Format_RGB32),
                 QImage(folder.filePath(bmp.fileName)).convertToFormat(QImage::Format_RGB32));
        const Bgr bottomLeft = pixelAt(buffer, 0);
        QCOMPARE(fromPng.pixel(0, 239), qRgb(bottomLeft.red, bottomLeft.green, bottomLeft.blue));
        // No source: the text is not Latin-1, and goes into an iTXt chunk.
        QCOMPARE(fromPng.text(QStringLiteral("Source")), QStringLiteral("不明"));
    }

    void processingTime_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QTime>("end");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QTime(10, 0) << QTime(10, 0, 41) << "0:00:41";
        QTest::newRow("seconds borrow") << QTime(14, 25, 30) << QTime(14, 26, 5) << "0:00:35";
        QTest::newRow("minutes borrow") << QTime(13, 59, 50) << QTime(14, 0, 10) << "0:00:20";
        QTest::newRow("hours") << QTime(8, 30) << QTime(10, 15, 30) << "1:45:30";
        QTest::newRow("across midnight") << QTime(23, 59, 40) << QTime(0, 0, 20) << "0:00:40";
        // Whole seconds of the clock, as the start and end labels show them.
        QTest::newRow("fractions ignored") << QTime(9, 0, 0, 900) << QTime(9, 0, 1, 100) << "0:00:01";
    }
    void processingTime()
    {
        QFETCH(QTime, start);
        QFETCH(QTime, end);
        QFETCH(QString, shown);
        QCOMPARE(processingTimeText(start, end), shown);
    }

    void timeOfDayHasLeadingZeros() { QCOMPARE(timeOfDayText(QTime(8, 5, 3)), QStringLiteral("08:05:03")); }
};

VELSNAP_TEST_MAIN(PictureTest)
#include "test_picture.moc"
