#pragma once

#include "picture/picture_facts.h"
#include "picture/pixel_conversion.h"

#include <QString>

namespace velsnap {

// What a reception run shows, and where: the window's controls, or a
// terminal. Called on the run's thread, from inside its waits.
class ReceptionFrontEnd {
public:
    virtual ~ReceptionFrontEnd() = default;

    // The status line.
    virtual void showStatus(const QString &text) = 0;
    // The start/stop button's caption, and whether the port may be chosen.
    virtual void showControls(const QString &receiveCaption, bool portChoiceEnabled) = 0;
    // One of the report's labels: the start, end and processing time, and the converted byte count.
    enum class ReportLabel { Start, End, Time, Bytes };
    virtual void showReport(ReportLabel label, const QString &text) = 0;
    // Converted bytes of the picture in progress, after each device row.
    virtual void showProgress(int convertedBytes) = 0;

    // The live preview: asked before every pixel, so a change takes effect at once.
    virtual bool previewOn() const = 0;
    virtual void drawPoint(int x, int y, Bgr colour) = 0;

    // A picture begins to arrive; the previous one is no longer shown.
    virtual void pictureStarted() = 0;
    // The picture in progress was given up; nothing was written.
    virtual void pictureDropped() = 0;
    // The picture was written to `path`, complete.
    virtual void pictureSaved(const QString &path, const PictureFacts &facts) = 0;

    // A message the user must see; `detail` is a second line naming the cause.
    virtual void message(const QString &text, const QString &detail) = 0;
};

} // namespace velsnap
