#pragma once

#include <QString>
#include <functional>

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
    // A save dialog starting at `suggested`, for files of `filter`. Returns at
    // once, so a run goes on meanwhile; `chosen` gets the path, unless the
    // user cancels.
    virtual void askSavePath(const QString &title, const QString &suggested, const QString &filter,
                             std::function<void(const QString &)> chosen) = 0;
};

// Real message boxes over the active window.
class MessageBoxDialogs : public Dialogs {
public:
    void message(const QString &text, const QString &detail = {}) override;
    bool askYesNo(const QString &text, const QString &title) override;
    void askSavePath(const QString &title, const QString &suggested, const QString &filter,
                     std::function<void(const QString &)> chosen) override;
};

} // namespace velsnap
