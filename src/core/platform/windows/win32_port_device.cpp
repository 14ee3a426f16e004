#include "serial/port_device.h"

#include "platform/windows/open_failure.h"
#include "platform/windows/thread_wake.h"
#include "platform/windows/wide_path.h"

#include <QMutex>
#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <windows.h>

namespace velsnap {

namespace {

// Reads and writes are overlapped, so that the acknowledgement goes out while
// a read waits, and closing cancels that read at once. A read asks for what
// the driver holds, or for one byte when it holds nothing, and waits at most
// this long: a read of bytes already there returns at once, and no interval
// timeout holds the last bytes of a copy back.
constexpr DWORD kReadWaitMs = 1000;
constexpr DWORD kWriteLimitMs = 2000;

bool setUpLine(HANDLE handle, const LineSettings &line)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb))
        return false;
    dcb.BaudRate = DWORD(line.baud);
    dcb.ByteSize = BYTE(line.dataBits);
    dcb.Parity = NOPARITY;
    dcb.StopBits = line.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(handle, &dcb))
        return false;
    // A total timeout alone: honoured alike by Windows and by Wine, which
    // never completes an overlapped read under MAXDWORD interval timeouts.
    COMMTIMEOUTS timeouts{0, 0, kReadWaitMs, 0, kWriteLimitMs};
    return SetCommTimeouts(handle, &timeouts);
}

// One transfer, waited for in the system. False on failure.
bool transfer(HANDLE handle, bool reading, char *data, DWORD size, DWORD &done)
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return false;
    const BOOL started = reading ? ReadFile(handle, data, size, nullptr, &overlapped)
                                 : WriteFile(handle, data, size, nullptr, &overlapped);
    bool ok = (started || GetLastError() == ERROR_IO_PENDING) && GetOverlappedResult(handle, &overlapped, &done, TRUE);
    // A read that met its timeout ends with nothing on Windows, with this error under Wine.
    if (!ok && reading && GetLastError() == ERROR_TIMEOUT)
        ok = true;
    CloseHandle(overlapped.hEvent);
    return ok;
}

// What the driver holds, and at least 1: what a read should ask for.
qint64 waiting(HANDLE handle)
{
    COMSTAT status{};
    return ClearCommError(handle, nullptr, &status) && status.cbInQue > 0 ? status.cbInQue : 1;
}

// What the reader thread shares with the device.
struct Reader {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::atomic<bool> closing{false};
    std::atomic<bool> broken{false};
    mutable QMutex mutex;
    QByteArray received;
    std::thread thread;

    void run(const ThreadWake &wake)
    {
        char block[4096];
        for (;;) {
            DWORD count = 0;
            const bool ok =
                transfer(handle, true, block, DWORD(std::min<qint64>(waiting(handle), sizeof block)), count);
            if (closing)
                return;
            if (!ok) {
                // The adapter went away or the line broke: the device closes itself on the loop's thread.
                broken = true;
                wake.wake();
                return;
            }
            if (count > 0) {
                {
                    const QMutexLocker lock(&mutex);
                    received.append(block, count);
                }
                wake.wake();
            }
        }
    }
};

// A port on the Win32 serial API. A reader thread waits in ReadFile, which
// returns as soon as bytes are there, keeps them and wakes the event loop;
// the line takes them from there without waiting.
class Win32PortDevice : public PortDevice {
public:
    explicit Win32PortDevice(Events events) : m_events(std::move(events)) {}
    ~Win32PortDevice() override { close(); }
    Win32PortDevice(const Win32PortDevice &) = delete;
    Win32PortDevice &operator=(const Win32PortDevice &) = delete;

    bool open(const QString &device, const LineSettings &settings) override;
    OpenCause failureCause() const override { return m_failureCause; }
    QString systemError() const override { return m_systemError; }
    bool isOpen() const override { return m_reader != nullptr; }
    void close() override;

    qint64 bytesAvailable() const override;
    QByteArray peek(qint64 count) const override { return take(count, false); }
    QByteArray read(qint64 count) override { return take(count, true); }
    void discardInput() override { take(bytesAvailable(), true); }
    void write(const QByteArray &bytes) override;

private:
    bool refuse(OpenCause cause, DWORD error);
    void onReaderNews();
    QByteArray take(qint64 count, bool remove) const;

    Events m_events;
    ThreadWake m_wake{[this] { onReaderNews(); }}; // the reader's news, on the thread that made the device
    std::unique_ptr<Reader> m_reader;
    OpenCause m_failureCause = OpenCause::Unknown;
    QString m_systemError;
};

bool Win32PortDevice::refuse(OpenCause cause, DWORD error)
{
    m_failureCause = cause;
    m_systemError = qt_error_string(int(error));
    return false;
}

bool Win32PortDevice::open(const QString &device, const LineSettings &settings)
{
    // "COM3" is a device name; anything else is taken as the path it is.
    const QString path = portOpenPath(device);
    const HANDLE handle = CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return refuse(path == device ? openCauseOfPath(device, error) : openCauseOf(error), error);
    }
    if (!setUpLine(handle, settings)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        return refuse(path == device ? openCauseOfPath(device, error) : OpenCause::NotTerminal, error);
    }
    m_reader = std::make_unique<Reader>();
    m_reader->handle = handle;
    // What waits already is the line's to judge; nothing is purged, so a
    // byte arriving now is never lost.
    COMSTAT status{};
    if (ClearCommError(handle, nullptr, &status) && status.cbInQue > 0) {
        QByteArray waitingBytes(qsizetype(status.cbInQue), '\0');
        DWORD count = 0;
        if (transfer(handle, true, waitingBytes.data(), status.cbInQue, count))
            m_reader->received = waitingBytes.left(count);
    }
    m_reader->thread = std::thread([reader = m_reader.get(), this] { reader->run(m_wake); });
    m_failureCause = OpenCause::Unknown;
    return true;
}

void Win32PortDevice::close()
{
    if (!m_reader)
        return;
    m_reader->closing = true;
    CancelIoEx(m_reader->handle, nullptr);
    m_reader->thread.join();
    CloseHandle(m_reader->handle);
    m_reader.reset();
}

void Win32PortDevice::onReaderNews()
{
    // News of a reader that was closed meanwhile finds no reader, or a new one that is not broken.
    if (m_reader && m_reader->broken) {
        close();
        m_events.lost();
    } else if (m_reader) {
        m_events.arrived();
    }
}

qint64 Win32PortDevice::bytesAvailable() const
{
    if (!m_reader)
        return 0;
    const QMutexLocker lock(&m_reader->mutex);
    return m_reader->received.size();
}

QByteArray Win32PortDevice::take(qint64 count, bool remove) const
{
    if (!m_reader)
        return {};
    const QMutexLocker lock(&m_reader->mutex);
    const QByteArray taken = m_reader->received.left(count);
    if (remove)
        m_reader->received.remove(0, taken.size());
    return taken;
}

void Win32PortDevice::write(const QByteArray &bytes)
{
    if (!m_reader)
        return;
    QByteArray data = bytes;
    DWORD written = 0;
    transfer(m_reader->handle, false, data.data(), DWORD(data.size()), written);
}

} // namespace

std::unique_ptr<PortDevice> makePortDevice(PortDevice::Events events)
{
    return std::make_unique<Win32PortDevice>(std::move(events));
}

} // namespace velsnap
