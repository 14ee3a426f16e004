#include "sender.h"

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
        : line_(line),
          stop_(stop),
          options_(options),
          copy_(copy),
          pacer_(line, stop, options.baud)
    {}

    CopyEnd run(std::span<const std::uint8_t> pixels)
    {
        const std::vector<std::uint8_t> header = headerBytes(options_.header);
        const auto all = std::span(header);
        if (!send(all.first(1)))
            return end_;
        note(copy_, "first header byte sent, waiting for ack");
        if (!awaitAck())
            return end_;
        note(copy_, "ack received");
        if (!sendHeaderRest(all.subspan(1, kHeaderBytes - 1)))
            return end_;
        note(copy_, "header sent");
        if (all.size() > kHeaderBytes) {
            if (options_.lateExtra && !pause(*options_.lateExtra))
                return end_;
            if (!send(all.subspan(kHeaderBytes)))
                return end_;
            note(copy_, "extra header byte sent");
        }
        return sendPixels(pixels);
    }

private:
    // Each step returns false once the copy has ended, with end_ saying how.
    bool settle(LineStatus status)
    {
        switch (status) {
        case LineStatus::Ok:
            return true;
        case LineStatus::HungUp:
            note(copy_, "receiver closed the line");
            end_ = CopyEnd::GivenUp;
            return false;
        case LineStatus::TimedOut:
            note(copy_, "no ack in time");
            end_ = CopyEnd::GivenUp;
            return false;
        case LineStatus::Stopped:
            end_ = CopyEnd::Stopped;
            return false;
        }
        return false;
    }

    bool send(std::span<const std::uint8_t> bytes) { return settle(pacer_.send(bytes)); }

    bool pause(std::chrono::milliseconds duration)
    {
        return settle(stop_.sleep(duration) ? LineStatus::Ok : LineStatus::Stopped);
    }

    bool awaitAck()
    {
        std::array<std::uint8_t, kAck.size()> reply{};
        if (!settle(line_.read(reply, options_.ackTimeout)))
            return false;
        if (reply == kAck)
            return true;
        note(copy_, "wrong ack: " + hex(reply));
        end_ = CopyEnd::GivenUp;
        return false;
    }

    bool sendHeaderRest(std::span<const std::uint8_t> rest)
    {
        if (!options_.trickleHeader)
            return send(rest);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (!pause(*options_.trickleHeader) || !send(rest.subspan(i, 1)))
                return false;
        }
        return true;
    }

    CopyEnd sendPixels(std::span<const std::uint8_t> pixels)
    {
        const std::size_t limit = options_.pixelBytesPerCopy();
        for (std::size_t block = 0; block * kBlockBytes < limit; ++block) {
            const std::size_t start = block * kBlockBytes;
            const std::size_t size = std::min(kBlockBytes, limit - start);
            if (!send(pixels.subspan(start, size)))
                return end_;
            if (size == kBlockBytes)
                note(copy_,
                     "block " + std::to_string(block + 1) + "/" + std::to_string(kFrameBytes / kBlockBytes) + " sent");
        }
        if (limit < kFrameBytes) {
            note(copy_, "pixel data cut after " + std::to_string(limit) + " bytes");
            return CopyEnd::Cut;
        }
        note(copy_, "done");
        return CopyEnd::Complete;
    }

    Line &line_;
    const StopSignals &stop_;
    const Options &options_;
    const int copy_;
    Pacer pacer_;
    CopyEnd end_ = CopyEnd::Complete;
};

} // namespace

CopyEnd sendCopy(Line &line, const StopSignals &stop, const Options &options, int copy,
                 std::span<const std::uint8_t> pixels)
{
    return CopySender(line, stop, options, copy).run(pixels);
}
