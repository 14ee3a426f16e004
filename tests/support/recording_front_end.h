#pragma once

#include "run/reception_front_end.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <map>

namespace velsnap::test {

// A front end that remembers what a run showed, in order, and lets a test
// act when a status or a byte count appears.
class RecordingFrontEnd : public ReceptionFrontEnd {
public:
    void showStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void showControls(const QString &receiveCaption, bool portChoiceEnabled) override
    {
        caption = receiveCaption;
        portChoice = portChoiceEnabled;
    }
    void showReport(ReportLabel label, const QString &text) override { report[label] = text; }
    void showProgress(int convertedBytes) override
    {
        if (onProgress)
            onProgress(convertedBytes);
    }
    bool previewOn() const override { return preview; }
    void drawPoint(int x, int y, Bgr colour) override
    {
        drawn.setPixel(x, y, qRgb(colour.red, colour.green, colour.blue));
    }
    void pictureStarted() override { ++started; }
    void pictureDropped() override { ++dropped; }
    void pictureSaved(const QString &path, const PictureFacts &) override
    {
        saved << path;
        lastPicture = QImage(path);
    }
    void message(const QString &text, const QString &detail) override { messages << text + u'|' + detail; }

    QStringList statuses;
    QString caption;
    bool portChoice = true;
    std::map<ReportLabel, QString> report;
    bool preview = false;
    QImage drawn{320, 240, QImage::Format_RGB32};
    int started = 0;
    int dropped = 0;
    QStringList saved;
    QImage lastPicture;
    QStringList messages; // "text|detail"
    std::function<void(const QString &)> onStatus;
    std::function<void(int)> onProgress;
};

} // namespace velsnap::test
