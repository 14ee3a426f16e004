#pragma once

class QCoreApplication;

namespace velsnap {

// The programs speak Japanese whatever the system's language, so Qt's own
// texts (the standard buttons of message boxes and dialogs: はい(&Y), いいえ(&N)) are
// loaded in Japanese too, from Qt's translations. False when they are not
// installed; the buttons then stay in English.
bool installQtJapanese(QCoreApplication &application);

} // namespace velsnap
