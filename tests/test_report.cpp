// The PDF report, read back with poppler-utils: its pictures exact, its
// pages, texts and font; a failed write leaves the folder as it was.
// Cross-built, it writes its report under Wine where VELSNAP_REPORT_PDF
// says, and the Linux build reads that file (scripts/test-windows.sh).
#include "platform/report_font.h"
#include "report/pdf_report.h"
#include "report/report_texts.h"
#include "support/expected_picture.h"
#include "support/headless_environment.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <optional>

#ifndef Q_OS_WIN
#include "support/read_only_folder.h"
#endif

using namespace velsnap;

namespace {

// Every pixel of its own colour, a different pattern for each seed.
QImage pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x + seed * 40) & 0xff, (y * 3 + seed) & 0xff, ((x >> 8) * 90 + y + x) & 0xff));
    }
    return image;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Windows has no poppler-utils: scripts/test-windows.sh reads its report on Linux.
#ifdef Q_OS_WIN
constexpr bool kPopplerHere = false;
#else
constexpr bool kPopplerHere = true;
#endif

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void putOlderReport(const QString &path)
{
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older report");
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_report;
    std::vector<ReportPicture> m_pictures;
    QList<QImage> m_images;

    QString picturePath(const QString &name) const { return m_folder.filePath(QStringLiteral("pictures/") + name); }

    void addPicture(const QString &name, const QImage &image, const PictureFacts &facts)
    {
        QVERIFY(image.save(picturePath(name), "BMP"));
        m_pictures.push_back({picturePath(name), facts});
        m_images << image;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("pictures")));
        // The name's time comes before the facts'; a picture named otherwise
        // takes the facts' time, in the offset it was taken in.
        addPicture(QStringLiteral("260305_140709.bmp"), pattern(320, 240, 1),
                   {QDateTime(QDate(2026, 1, 1), QTime(0, 0)), QStringLiteral("/dev/ttyUSB0 (FT232R USB UART)")});
        addPicture(QStringLiteral("260306_091215_2.bmp"), pattern(320, 240, 2), {});
        addPicture(QStringLiteral("odd.bmp"), pattern(203, 97, 3),
                   {QDateTime(QDate(2026, 3, 7), QTime(8, 0, 1), QTimeZone(9 * 3600)), QStringLiteral("COM3")});
        m_report = qEnvironmentVariable("VELSNAP_REPORT_PDF", m_folder.filePath(QStringLiteral("report/report.pdf")));
        if (QFile::exists(m_report) && qEnvironmentVariableIsSet("VELSNAP_REPORT_PDF"))
            return; // written by the Windows build
        const QString folder = QFileInfo(m_report).path();
        QVERIFY(QDir().mkpath(folder));
        putOlderReport(m_report); // chosen in the save dialog: replaced
        QCOMPARE(writePdfReport(m_pictures, m_report), QString());
        QCOMPARE(folderEntries(folder), QStringList{QFileInfo(m_report).fileName()});
    }

    void picturesAreTheirFilesEnlargedFourTimes()
    {
        if (!kPopplerHere)
            QSKIP("poppler-utils read this report on Linux");
        const QString prefix = m_folder.filePath(QStringLiteral("image"));
        run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), m_report, prefix});
        const QStringList extracted = QDir(m_folder.path()).entryList({QStringLiteral("image-*.png")}, QDir::Files);
        QCOMPARE(extracted.size(), m_images.size());
        for (int index = 0; index < m_images.size(); ++index) {
            const QImage large(m_folder.filePath(extracted[index]));
            QCOMPARE(test::enlargementFault(large, m_images[index], 4), QString());
        }
    }

    void reportSays_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString range = QStringLiteral("2026-03-05 〜 2026-03-07");
        QTest::newRow("document") << QStringList{"pdfinfo", "-f", "1", "-l", "3"}
                                  << QStringList{"^Pages: +2$", "^Page +1 size: +595.2\\d* x 841.89 pts \\(A4\\)",
                                                 "^Page +2 size: +595.2\\d* x 841.89 pts \\(A4\\)",
                                                 "^Title: +VELSNAP 画面コピー報告書 " + range + "$",
                                                 "^Creator: +VELSNAP " VELSNAP_VERSION "$"}
                                  << QStringList{};
        QTest::newRow("page 1") << QStringList{"pdftotext", "-f", "1", "-l", "1"}
                                << QStringList{"VELSNAP",
                                               range,
                                               "^260305_140709\\.bmp$",
                                               "^受信日時: 2026-03-05 14:07:09$",
                                               "^送信元: /dev/ttyUSB0 \\(FT232R USB UART\\)$",
                                               "^260306_091215_2\\.bmp$",
                                               "^受信日時: 2026-03-06 09:12:15$",
                                               "^1 / 2$"}
                                << QStringList{"2026-01-01", "odd\\.bmp", "送信元: $"};
        QTest::newRow("page 2") << QStringList{"pdftotext", "-f", "2", "-l", "2"}
                                << QStringList{range, "^odd\\.bmp$", "^受信日時: 2026-03-07 08:00:01$",
                                               "^送信元: COM3$", "^2 / 2$"}
                                << QStringList{"260305", "260306"};
        QTest::newRow("font") << QStringList{"pdffonts"}
                              << QStringList{"\\+IPAPGothic +CID TrueType +Identity-H +yes +yes +yes"}
                              << QStringList{"\\bno\\b"};
    }
    void reportSays()
    {
        QFETCH(QStringList, command);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        if (!kPopplerHere)
            QSKIP("poppler-utils read this report on Linux");
        const QString program = command.takeFirst();
        QStringList arguments = command << m_report;
        // -raw: in the order written, a line each; else poppler's layout guess
        // reads the footer's narrow spaces as none.
        if (program == QLatin1String("pdftotext"))
            arguments = QStringList{QStringLiteral("-raw")} + arguments + QStringList{QStringLiteral("-")};
        const QString said = run(program, arguments);
        for (const QString &pattern : present) {
            QVERIFY2(said.contains(QRegularExpression(pattern, QRegularExpression::MultilineOption)),
                     qPrintable(pattern + QStringLiteral(" not in:\n") + said));
        }
        for (const QString &pattern : absent) {
            QVERIFY2(!said.contains(QRegularExpression(pattern, QRegularExpression::MultilineOption)),
                     qPrintable(pattern + QStringLiteral(" in:\n") + said));
        }
    }

    void failedWriteLeavesTheFolderAsItWas_data()
    {
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("cause");
        const QStringList good{"260305_140709.bmp", "odd.bmp"};
        const QString system = QStringLiteral("system");
        QTest::newRow("no pictures") << QStringList{} << system << "plain" << report_texts::kNoPictures;
        QTest::newRow("too many pictures") << QStringList(kMostReportPictures + 1, good[0]) << system << "plain"
                                           << QStringLiteral("%1 枚まで").arg(kMostReportPictures);
        QTest::newRow("no font") << good << QString() << "plain" << QStringLiteral("ipagp.ttf");
        QTest::newRow("not a font") << good << "odd.bmp"
                                    << "plain" << QStringLiteral("odd.bmp");
        QTest::newRow("picture gone") << QStringList{"odd.bmp", "gone.bmp"} << system << "plain"
                                      << QStringLiteral("gone.bmp");
        QTest::newRow("picture too large")
            << QStringList{"odd.bmp", "wide.bmp"} << system << "plain" << QStringLiteral("1025 × 8");
        QTest::newRow("folder gone") << good << system << "gone" << QString();
#ifndef Q_OS_WIN
        QTest::newRow("read-only folder") << good << system << "read-only" << QString();
#endif
    }
    void failedWriteLeavesTheFolderAsItWas()
    {
        QFETCH(QStringList, pictures);
        QFETCH(QString, font);
        QFETCH(QString, target);
        QFETCH(QString, cause);
        QVERIFY(pattern(1025, 8, 4).save(picturePath(QStringLiteral("wide.bmp")), "BMP"));
        QTemporaryDir folder;
        const QString path = folder.filePath(target == QLatin1String("gone") ? "gone/report.pdf" : "report.pdf");
        if (target != QLatin1String("gone"))
            putOlderReport(path);
        std::vector<ReportPicture> chosen;
        for (const QString &name : pictures)
            chosen.push_back({picturePath(name), {}});
        const QString fontFile = font == QLatin1String("system") ? reportFontFile()
                                 : font.isEmpty()                ? QString()
                                                                 : picturePath(font);
        const QStringList before = folderEntries(folder.path());
        QString reason;
        {
#ifndef Q_OS_WIN
            std::optional<test::ReadOnlyFolder> readOnly;
            if (target == QLatin1String("read-only")) {
                readOnly.emplace(folder.path());
                QCOMPARE(readOnly->failure(), QString());
            }
#endif
            reason = writePdfReport(chosen, path, fontFile);
        }
        const QStringList lines = reason.split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], report_texts::kNotWritten.arg(QDir::toNativeSeparators(path), QString()).chopped(1));
        QVERIFY2(!lines[1].isEmpty() && lines[1].contains(cause), qPrintable(reason));
        QCOMPARE(folderEntries(folder.path()), before);
        if (!before.isEmpty())
            QCOMPARE(test::readFileBytes(path), QByteArray("an older report"));
    }
};

VELSNAP_CORE_TEST_MAIN(ReportTest)
#include "test_report.moc"
