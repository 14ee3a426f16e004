// The settling after an open that found input waiting, fed arrivals of any
// size and content: what a header of its own begins with is kept, what is
// left once the settling has ended is never thrown away, and it never looks
// past the input there is.
//
// The input is a list of steps, each led by one byte: 0 begins the settling
// (input was found at the open), 1 ends it, any other count is that many
// bytes arriving, as they follow in the input.
#include "fuzz_support.h"
#include "protocol/wire_protocol.h"
#include "serial/input_settling.h"

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    fuzz::Bytes input(bytes, size);
    QByteArray waiting;
    InputSettling settling({[&] { return qint64(waiting.size()); },
                            [&](qint64 count) {
                                fuzz::require(count <= waiting.size(), "a look past the input there is");
                                return waiting.left(count);
                            },
                            [&] { waiting.clear(); }});
    while (!input.empty()) {
        const quint8 step = input.byte();
        if (step == 0) {
            settling.begin();
            continue;
        }
        if (step == 1) {
            settling.end();
            continue;
        }
        const bool wasActive = settling.active();
        const QByteArray before = waiting;
        waiting += input.take(step);
        settling.bytesArrived();
        if (!wasActive)
            fuzz::require(waiting.startsWith(before), "input thrown away after the settling");
        const bool header = waiting.size() >= protocol::kHeaderBytes &&
                            protocol::isScreenCopyHeader(waiting.left(protocol::kHeaderBytes));
        if (header && before.size() < protocol::kHeaderBytes)
            fuzz::require(!settling.active(), "a header of its own ends the settling");
        if (settling.active())
            fuzz::require(waiting.size() < protocol::kHeaderBytes, "a whole header's worth left undecided");
    }
    return 0;
}
