#pragma once

#include <QString>
#include <cstdio>

namespace velsnap {

// Writes `text` to a standard stream so that its reader gets every character:
// a Windows console as UTF-16, whatever its code page; a file or a pipe as
// UTF-8, for scripts; a Linux terminal in the locale's encoding.
void writeText(std::FILE *stream, const QString &text);

} // namespace velsnap
