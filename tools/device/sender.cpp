#include "sender.h"

#include "device_texts.h"
#include "frame.h"
#include "header.h"
#include "line.h"
#include "log.h"
#include "options.h"
#include "pacer.h"
#include "stopsignals.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace velsnap {

namespace {

constexpr std::array<std::uint8_t, 3> kAck = {'O', 'K', '\r'};
constexpr std::size_t kHeaderBytes = 25;

std::string hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%s%02x", text.empty() ? "" : " ", b);
        text += two;
    }
    return text;
}

class CopySender {
public:
    CopySender(Line &line, const StopSignals &stop, const Options &options, int copy)
        : m_line(line),
          m_stop(stop),
          m_options(options),
          m_copy(copy),
          m_pacer(line, stop, options.baud)
    {}

    CopyEnd run(std::span<const std::uint8_t> pixels)
    {
        const std::vector<std::uint8_t> header = headerBytes(m_options.headerOf(m_copy));
        const auto all = std::span(header);
        if (!send(all.first(1)))
            return m_end;
        note(m_copy, device_texts::kFirstByteSent);
        if (!awaitAck())
            return m_end;
        note(m_copy, device_texts::kAckReceived);
        if (!sendHeaderRest(all.subspan(1, kHeaderBytes - 1)))
            return m_end;
        note(m_copy, device_texts::kHeaderSent);
        if (all.size() > kHeaderBytes) {
            if (m_options.lateExtra && !pause(*m_options.lateExtra))
                return m_end;
            if (!send(all.subspan(kHeaderBytes)))
                return m_end;
            note(m_copy, device_texts::kExtraByteSent);
        }
        return sendPixels(pixels);
    }

private:
    // Each step returns false once the copy has ended, with m_end saying how.
    bool settle(LineStatus status)
    {
        switch (status) {
        case LineStatus::Ok:
            return true;
        case LineStatus::HungUp:
            note(m_copy, device_texts::kReceiverClosed);
            m_end = CopyEnd::GivenUp;
            return false;
        case LineStatus::TimedOut:
            note(m_copy, device_texts::kNoAckInTime);
            m_end = CopyEnd::GivenUp;
            return false;
        case LineStatus::Stopped:
            m_end = CopyEnd::Stopped;
            return false;
        }
        return false;
    }

    bool send(std::span<const std::uint8_t> bytes) { return settle(m_pacer.send(bytes)); }

    bool pause(std::chrono::milliseconds duration)
    {
        return settle(m_stop.sleep(duration) ? LineStatus::Ok : LineStatus::Stopped);
    }

    bool awaitAck()
    {
        std::array<std::uint8_t, kAck.size()> reply{};
        if (!settle(m_line.read(reply, m_options.ackTimeout)))
            return false;
        if (reply == kAck)
            return true;
        note(m_copy, device_texts::wrongAck(hex(reply)));
        m_end = CopyEnd::GivenUp;
        return false;
    }

    bool sendHeaderRest(std::span<const std::uint8_t> rest)
    {
        if (!m_options.trickleHeader)
            return send(rest);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (!pause(*m_options.trickleHeader) || !send(rest.subspan(i, 1)))
                return false;
        }
        return true;
    }

    CopyEnd sendPixels(std::span<const std::uint8_t> pixels)
    {
        const std::size_t limit = m_options.pixelBytesOf(m_copy);
        for (std::size_t block = 0; block * kBlockBytes < limit; ++block) {
            const std::size_t start = block * kBlockBytes;
            const std::size_t size = std::min(kBlockBytes, limit - start);
            if (!send(pixels.subspan(start, size)))
                return m_end;
            if (size == kBlockBytes)
                note(m_copy, device_texts::blockSent(block + 1, kFrameBytes / kBlockBytes));
        }
        if (limit < kFrameBytes) {
            note(m_copy, device_texts::pixelDataCut(limit));
            return CopyEnd::Cut;
        }
        note(m_copy, device_texts::kDone);
        return CopyEnd::Complete;
    }

    Line &m_line;
    const StopSignals &m_stop;
    const Options &m_options;
    const int m_copy;
    Pacer m_pacer;
    CopyEnd m_end = CopyEnd::Complete;
};

} // namespace

CopyEnd sendCopy(Line &line, const StopSignals &stop, const Options &options, int copy,
                 std::span<const std::uint8_t> pixels)
{
    return CopySender(line, stop, options, copy).run(pixels);
}

} // namespace velsnap
