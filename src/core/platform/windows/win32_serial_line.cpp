#include "platform/windows/win32_serial_line.h"

#include "platform/windows/device_manager.h"
#include "platform/windows/open_failure.h"
#include "platform/windows/wide_path.h"

#include <QMutex>
#include <algorithm>
#include <atomic>
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

// "COM3" is a device name; anything else is taken as the path it is.
bool setUpLine(HANDLE handle)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb))
        return false;
    dcb.BaudRate = 57600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
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

} // namespace

struct Win32SerialLine::Reader {
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
                // The adapter went away or the line broke: the line closes itself on the loop's thread.
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

Win32SerialLine::Win32SerialLine(DeviceLookup deviceForPort)
    : m_deviceForPort(std::move(deviceForPort)),
      m_settling({[this] { return received(); }, [this](qint64 count) { return take(count, false); },
                  [this] { take(received(), true); }})
{}

Win32SerialLine::~Win32SerialLine()
{
    closePort();
}

OpenResult Win32SerialLine::openPort()
{
    const QString device = m_deviceForPort(m_commPort);
    if (m_reader)
        return refuse(OpenCause::OpenHere, device);
    if (device.isEmpty())
        return refuse(OpenCause::NoPortNumber, device);

    m_lineLost = false;
    m_openFailureReason.clear();
    const QString path = portOpenPath(device);
    const HANDLE handle = CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const OpenCause cause = path == device ? openCauseOfPath(device, error) : openCauseOf(error);
        return refuse(cause, device, qt_error_string(int(error)));
    }
    if (!setUpLine(handle)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        const OpenCause cause = path == device ? openCauseOfPath(device, error) : OpenCause::NotTerminal;
        return refuse(cause, device, qt_error_string(int(error)));
    }
    // Bytes kept while the port was closed would be taken for the start of a
    // screen copy, so they go, and the settling lets the rest of a copy cut
    // by the open run out. A single byte is a device that sent the first
    // byte of its header and waits for the answer: the reader hands it to
    // the settling. Nothing is purged, so a byte arriving now is never lost.
    COMSTAT status{};
    const bool waiting = ClearCommError(handle, nullptr, &status) && status.cbInQue > 0;
    if (waiting && status.cbInQue > 1) {
        QByteArray stale(qsizetype(status.cbInQue), '\0');
        DWORD count = 0;
        transfer(handle, true, stale.data(), status.cbInQue, count);
    }
    if (waiting)
        m_settling.begin();
    else
        m_settling.end();
    m_reader = std::make_unique<Reader>();
    m_reader->handle = handle;
    m_reader->thread = std::thread([reader = m_reader.get(), this] { reader->run(m_wake); });
    return OpenResult::Opened;
}

void Win32SerialLine::closePort()
{
    m_settling.end();
    if (!m_reader)
        return;
    m_reader->closing = true;
    CancelIoEx(m_reader->handle, nullptr);
    m_reader->thread.join();
    CloseHandle(m_reader->handle);
    m_reader.reset();
}

void Win32SerialLine::onReaderNews()
{
    // News of a reader that was closed meanwhile finds no reader, or a new one that is not broken.
    if (m_reader && m_reader->broken) {
        closePort();
        m_lineLost = true;
    } else if (m_reader) {
        m_settling.bytesArrived();
    }
}

qint64 Win32SerialLine::received() const
{
    if (!m_reader)
        return 0;
    const QMutexLocker lock(&m_reader->mutex);
    return m_reader->received.size();
}

QByteArray Win32SerialLine::take(qint64 count, bool remove)
{
    if (!m_reader)
        return {};
    const QMutexLocker lock(&m_reader->mutex);
    const QByteArray taken = m_reader->received.left(count);
    if (remove)
        m_reader->received.remove(0, taken.size());
    return taken;
}

// Nothing counts while a copy cut by the open is still running out.
qint64 Win32SerialLine::inBufferCount() const
{
    return m_settling.active() ? 0 : received();
}

QByteArray Win32SerialLine::input()
{
    return take(m_inputLen, true);
}

void Win32SerialLine::output(const QByteArray &bytes)
{
    if (!m_reader)
        return;
    QByteArray data = bytes;
    DWORD written = 0;
    transfer(m_reader->handle, false, data.data(), DWORD(data.size()), written);
}

OpenResult Win32SerialLine::refuse(OpenCause cause, const QString &device, const QString &systemError)
{
    m_openFailureReason = lineOpenFailureText(cause, m_commPort, device, systemError);
    // A port that is missing or will not work: what the Device Manager says
    // of it, with the cure, and the ports there are.
    if (cause != OpenCause::Held && cause != OpenCause::OpenHere && device.startsWith(QStringLiteral("COM"))) {
        for (const PortFinding &finding : examineComPort(device, deviceManagerPorts()))
            m_openFailureReason += u'\n' + finding.text;
    }
    return openResultFor(cause);
}

} // namespace velsnap
