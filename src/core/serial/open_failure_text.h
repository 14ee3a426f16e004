#pragma once

#include "serial/open_failure.h"

#include <QString>

namespace velsnap {

// The second line of a port message: the device and the cause, in words the
// user can act on. `portText` is the port as the user chose it.
QString openFailureSentence(const OpenFailure &failure, const QString &portText);

// The sentence, then what the port doctor knows of a likelier cause.
QString openFailureReason(const OpenFailure &failure, const QString &portText);

} // namespace velsnap
