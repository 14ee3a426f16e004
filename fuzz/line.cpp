// One reception run fed whatever a device might send: the header check and
// the whole byte stream, cut into arrivals anywhere, before and after the
// acknowledgement, with hang-ups. Every arrival is due at once, so the run's
// waits wake from the event loop without real waiting; when nothing more
// can come, the run is stopped as the user would stop it.
//
// The input is a list of steps, each led by one byte: bit 7 plays the step
// after the acknowledgement; the low two bits choose: 0, bytes as given (a
// count byte, 1 to 64, then the bytes); 1, a run of one byte value (two
// count bytes, low first, 1 to 19200, then the value); 2, a hang-up; 3, a
// whole copy's pixels (a byte that seeds their noise).
#include "folders/program_folders.h"
#include "fuzz_support.h"
#include "picture/picture_file.h"
#include "protocol/wire_protocol.h"
#include "run/reception_run.h"
#include "support/expected_picture.h"
#include "support/recording_front_end.h"
#include "support/scripted_line.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QTimer>

using namespace velsnap;

namespace {

constexpr int kCopyPixelBytes = kBlockBytes * kBlockCount;

// The session as the run must meet it: the bytes in the order they arrive
// (those played before the acknowledgement come first) up to the first
// hang-up that gets played.
struct Script {
    QByteArray stream;
    bool hungUp = false;
};

Script play(fuzz::Bytes &input, test::ScriptedLine::Session &session)
{
    QByteArray before, after;
    bool cutBefore = false, cutAfter = false;
    while (!input.empty()) {
        const quint8 step = input.byte();
        const bool afterAck = step & 0x80;
        QByteArray bytes;
        switch (step & 3) {
        case 0:
            bytes = input.take(input.byte() % 64 + 1);
            break;
        case 1: {
            const int count = (input.byte() | input.byte() << 8) % (2 * kBlockBytes) + 1;
            bytes = QByteArray(count, char(input.byte()));
            break;
        }
        case 2:
            afterAck ? session.hangUpAfterAck() : session.hangUp(0);
            (afterAck ? cutAfter : cutBefore) = true;
            continue;
        case 3:
            bytes = test::noiseBytes(input.byte(), kCopyPixelBytes);
            break;
        }
        afterAck ? session.arriveAfterAck(bytes) : session.arrive(bytes);
        if (!(afterAck ? cutAfter : cutBefore))
            (afterAck ? after : before) += bytes;
    }
    // What follows the acknowledgement comes only once a byte came before it.
    if (cutBefore || before.isEmpty())
        return {before, cutBefore};
    return {before + after, cutAfter};
}

// The run's outcome on `stream` when the line stays until nothing more comes.
RunOutcome outcomeOf(const QByteArray &stream, qsizetype *pixelsAt)
{
    const QByteArray header = stream.left(protocol::kHeaderBytes);
    if (header.size() < protocol::kHeaderBytes)
        return RunOutcome::Stopped;
    if (!protocol::isScreenCopyHeader(header))
        return RunOutcome::NotScreenCopy;
    *pixelsAt = header.size() + (protocol::hasExtraHeaderByte(header) ? 1 : 0);
    return stream.size() >= *pixelsAt + kCopyPixelBytes ? RunOutcome::Saved : RunOutcome::Stopped;
}

} // namespace

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    static const QString folder = fuzz::scratch().filePath(QStringLiteral("program"));
    static const ProgramFolders folders = [] {
        const ProgramFolders made = programFoldersFor(folder, true, {});
        QDir().mkpath(made.image_path);
        QFile::copy(QStringLiteral(VELSNAP_SOURCE_DIR "/resources/24bit.hed"), made.app_path + kHeaderTemplateName);
        return made;
    }();
    fuzz::Bytes input(bytes, size);
    test::ScriptedLine line;
    const Script script = play(input, line.session());
    test::RecordingFrontEnd frontEnd;
    ReceptionRun run({line, frontEnd, folders, [] { return 1; }, {}});

    // The run waits for more than will ever come: stop it, once.
    bool stopping = false;
    const QMetaObject::Connection stuck =
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [&] {
            if (line.playedOut() && line.portOpen() && !std::exchange(stopping, true))
                QTimer::singleShot(0, &line, [&] { run.cancel(); });
        });
    const RunOutcome outcome = run.receive_image();
    QObject::disconnect(stuck);

    qsizetype pixelsAt = 0;
    const RunOutcome expected = outcomeOf(script.stream, &pixelsAt);
    // A hang-up ends the run unless the run was done with the line before it.
    const bool completed = expected == RunOutcome::Saved || expected == RunOutcome::NotScreenCopy;
    fuzz::require(script.hungUp ? outcome == RunOutcome::LineLost || (completed && outcome == expected)
                                : outcome == expected,
                  "the run ended otherwise than its stream says");
    fuzz::require(line.written == (script.stream.isEmpty() ? QByteArray() : protocol::kAcknowledgement),
                  "the acknowledgement goes out once, after the first byte");
    fuzz::require(!line.portOpen() && run.state() == ReceptionRun::State::Idle && !run.receiving(),
                  "a run that ended leaves the port closed and the state idle");
    const QStringList written = QDir(folders.image_path).entryList(QDir::Files | QDir::Hidden);
    fuzz::require(written.size() == (outcome == RunOutcome::Saved ? 1 : 0), "a file for a saved picture alone");
    fuzz::require(frontEnd.messages.isEmpty() == (outcome == RunOutcome::Saved || outcome == RunOutcome::Stopped),
                  "a message for every failure");
    if (outcome == RunOutcome::Saved) {
        const QString path = folders.image_path + written.first();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        fuzz::require(file.readAll().mid(kBitmapHeaderBytes) ==
                          test::expectedPixelData(script.stream.mid(pixelsAt, kCopyPixelBytes)),
                      "the picture holds the pixels that followed the header");
        QFile::remove(path);
    }
    return 0;
}
