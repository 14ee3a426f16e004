// A soak: COPIES screen copies (default 1000) at full speed from a simulated
// device that misbehaves (every 20th header bad, every 50th copy cut
// halfway), through velsnap-capture (which gives a silent copy up after 1 s)
// and through the window, offscreen, in this process (its message boxes
// answered at once; start is pressed again after a rejected header, and stop
// and start when the byte count stands still for a second, as a user would).
// Prints the resident memory every 100 pictures (for the window, in this
// process, also the heap in use) and the growth per picture after the first
// 100 (goal: under 1 KB), and checks that every good copy
// was saved exact and nothing else was. Sets no pass mark.
// Arguments: [capture|window|both] [COPIES]
#include "settings/settings_store.h"
#include "support/expected_picture.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <malloc.h>

using namespace velsnap;

namespace {

constexpr int kBadHeaderEvery = 20;
constexpr int kCutEvery = 50;
constexpr int kCopyBytes = 153600;

bool goodCopy(int copy)
{
    return copy % kBadHeaderEvery != 0 && copy % kCutEvery != 0;
}

int goodCopies(int copies)
{
    int good = 0;
    for (int copy = 1; copy <= copies; ++copy)
        good += goodCopy(copy);
    return good;
}

// The device on a line of its own, recording what it sent in `work`; the
// line's path. Its reports go to a file, not into this process.
QString startDevice(test::SimulatedDevice &device, int copies, const QTemporaryDir &work)
{
    return device.start({QStringLiteral("--count"), QString::number(copies), QStringLiteral("--pause"),
                         QStringLiteral("0"), QStringLiteral("--after-open"), QStringLiteral("10"),
                         QStringLiteral("--bad-header-every"), QString::number(kBadHeaderEvery),
                         QStringLiteral("--cut-every"), QString::number(kCutEvery), QStringLiteral("--save-sent"),
                         work.filePath(QStringLiteral("sent"))},
                        work.filePath(QStringLiteral("device.log")));
}

// What this process's allocator hands out, without the pages it keeps free.
double heapMegabytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return double(heap.uordblks + heap.hblkhd) / (1024 * 1024);
}

double residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// Resident memory at every hundredth picture, and the growth per picture
// after the first hundred and five hundred: the slope of a least-squares
// line through the samples, as two samples alone swing with the pages the
// allocator happens to hold.
class MemoryLog {
public:
    MemoryLog(const char *who, const char *what = "resident") : m_who(who), m_what(what) { m_clock.start(); }
    void saw(int pictures, double megabytes)
    {
        if (pictures / 100 <= m_samples.lastKey() / 100)
            return;
        m_samples.insert(pictures, megabytes);
        std::printf("%s: %4d pictures  %6.1f MB %s  %5.1f s\n", m_who, pictures, megabytes, m_what,
                    double(m_clock.elapsed()) / 1000);
        std::fflush(stdout);
    }
    void summary() const
    {
        for (const int after : {100, 500}) {
            double n = 0, x = 0, y = 0, xx = 0, xy = 0;
            for (auto sample = m_samples.lowerBound(after); sample != m_samples.end(); ++sample) {
                const double pictures = sample.key(), bytes = sample.value() * 1024 * 1024;
                n += 1, x += pictures, y += bytes, xx += pictures * pictures, xy += pictures * bytes;
            }
            if (n < 3)
                continue;
            std::printf("%s: %s growth after the first %d pictures %.0f bytes per picture (goal under 1024)\n", m_who,
                        m_what, after, (n * xy - x * y) / (n * xx - x * x));
        }
    }

private:
    const char *m_who;
    const char *m_what;
    QElapsedTimer m_clock;
    QMap<int, double> m_samples{{0, 0}};
};

QByteArray pixelHash(const QByteArray &pixelData)
{
    return QCryptographicHash::hash(pixelData, QCryptographicHash::Sha1);
}

// Empty when the pictures in `folder` are the good copies the device sent,
// each once and exact; else what differs, naming the copies lost.
QString savedExactly(const QString &folder, const QString &sentLog, int copies)
{
    QFile sent(sentLog);
    if (!sent.open(QIODevice::ReadOnly))
        return QStringLiteral("no record of what was sent");
    QMap<QByteArray, QList<int>> missing;
    for (int copy = 1; copy <= copies; ++copy) {
        const QByteArray pixels = sent.read(kCopyBytes);
        if (goodCopy(copy))
            missing[pixelHash(test::expectedPixelData(pixels))].append(copy);
    }
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files);
    for (const QString &name : names) {
        const QByteArray file = test::readFileBytes(QDir(folder).filePath(name));
        const auto expected = missing.find(pixelHash(file.mid(54)));
        if (file.size() != 230454 || expected == missing.end() || expected->isEmpty())
            return name + QStringLiteral(" is not one of the good copies");
        expected->removeFirst();
    }
    QStringList lost;
    for (const QList<int> &unsaved : std::as_const(missing)) {
        for (const int copy : unsaved)
            lost << QString::number(copy);
    }
    return lost.isEmpty() ? QString() : QStringLiteral("good copies not saved: ") + lost.join(QLatin1Char(' '));
}

// Keeps the work folder, with the device's log, when a copy went wrong.
void report(const char *who, const QString &fault, int pictures, QTemporaryDir &work)
{
    if (fault.isEmpty()) {
        std::printf("%s: %d pictures, every good copy saved exact\n", who, pictures);
        return;
    }
    work.setAutoRemove(false);
    std::printf("%s: %d pictures, %s (kept in %s)\n", who, pictures, qPrintable(fault), qPrintable(work.path()));
}

void soakCapture(int copies)
{
    QTemporaryDir work;
    const QString pictures = work.filePath(QStringLiteral("pictures"));
    test::SimulatedDevice device;
    QProcess capture;
    capture.setStandardErrorFile(work.filePath(QStringLiteral("capture.log")));
    capture.start(QDir(test::binFolder()).filePath(QStringLiteral("velsnap-capture")),
                  {QStringLiteral("--device"), startDevice(device, copies, work), QStringLiteral("--folder"), pictures,
                   QStringLiteral("--count"), QString::number(goodCopies(copies)), QStringLiteral("--timeout"),
                   QStringLiteral("1")});
    MemoryLog memory("velsnap-capture");
    int saved = 0;
    QObject::connect(&capture, &QProcess::readyReadStandardOutput, [&] {
        while (capture.canReadLine()) {
            capture.readLine();
            memory.saw(++saved, residentMegabytes(capture.processId()));
        }
    });
    QEventLoop ended;
    QObject::connect(&capture, &QProcess::finished, &ended, &QEventLoop::quit);
    ended.exec();
    memory.summary();
    device.stop();
    report("velsnap-capture", savedExactly(pictures, work.filePath(QStringLiteral("sent")), copies), saved, work);
}

void soakWindow(int copies)
{
    QTemporaryDir work;
    test::SimulatedDevice device;
    test::WindowFixture fixture;
    fixture.storeSetting(kPortsSection, QStringLiteral("COM1"), startDevice(device, copies, work));
    fixture.window().init_form();
    auto *button = fixture.window().control<QPushButton>(QStringLiteral("cmd_receive"));

    MemoryLog memory("window");
    MemoryLog heap("window", "heap in use");
    int saved = 0;
    bool stoppedHere = false;
    QString count;
    QElapsedTimer still;
    still.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        saved = fixture.window().strip().imageCount();
        memory.saw(saved, residentMegabytes(QCoreApplication::applicationPid()));
        heap.saw(saved, heapMegabytes());
        if (fixture.text("lbl_byte") != count || fixture.text("lbl_status") != texts::kStatusReceiving) {
            count = fixture.text("lbl_byte");
            still.restart();
        } else if (still.elapsed() > 1000 && button->text() == texts::kButtonStop) {
            stoppedHere = true; // a cut copy
            button->click();
        }
    });
    watch.start(50);
    // Each press runs the loop until a header is refused, a cut copy is
    // stopped, or the device has gone.
    while (saved < goodCopies(copies)) {
        stoppedHere = false;
        button->click();
        const bool refused =
            !fixture.dialogs.messages.isEmpty() && fixture.dialogs.messages.last() == texts::kNotScreenCopy;
        if (!stoppedHere && !refused)
            break;
        fixture.dialogs.messages.clear();
    }
    memory.summary();
    heap.summary();
    device.stop();
    report("window", savedExactly(fixture.pictureFolder(), work.filePath(QStringLiteral("sent")), copies),
           int(fixture.pictureFiles().size()), work);
}

} // namespace

int main(int argc, char *argv[])
{
    test::WindowTestEnvironment environment;
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("both");
    const int copies = argc > 2 ? std::max(100, atoi(argv[2])) : 1000;
    std::printf("%d copies, every %dth header bad, every %dth copy cut halfway: %d good copies\n", copies,
                kBadHeaderEvery, kCutEvery, goodCopies(copies));
    if (which != QLatin1String("window"))
        soakCapture(copies);
    if (which != QLatin1String("capture"))
        soakWindow(copies);
    return 0;
}
