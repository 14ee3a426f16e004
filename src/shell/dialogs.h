#pragma once

#include <QString>

namespace velsnap {

// The modal message boxes of the program, behind a seam that tests answer.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // OK only, no icon, the application's title; `detail`, when given, is a
    // second, smaller line under the text.
    virtual void message(const QString &text, const QString &detail = {}) = 0;
    // Yes and No, No the default, no icon.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
};

// Real message boxes over the active window.
class MessageBoxDialogs : public Dialogs {
public:
    void message(const QString &text, const QString &detail = {}) override;
    bool askYesNo(const QString &text, const QString &title) override;
};

} // namespace velsnap
