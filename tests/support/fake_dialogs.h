#pragma once

#include "shell/dialogs.h"

#include <QStringList>
#include <functional>

namespace velsnap::test {

// Answers message boxes at once and remembers what they said.
class FakeDialogs : public Dialogs {
public:
    void message(const QString &text, const QString &detail = {}) override
    {
        messages << text;
        details << detail;
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        questions << title + u'|' + text;
        if (answered)
            answered();
        return answerYes;
    }
    void askSavePath(const QString &title, const QString &suggested, const QString &,
                     std::function<void(const QString &)> chosen) override
    {
        questions << title + u'|' + suggested;
        if (!savePath.isEmpty())
            chosen(savePath);
    }

    QStringList messages;
    QStringList details; // the second line of each message, empty where it had none
    QStringList questions;
    bool answerYes = false;
    QString savePath;               // the answer of a save dialog; empty: cancelled
    std::function<void()> answered; // called as the question is answered
};

} // namespace velsnap::test
