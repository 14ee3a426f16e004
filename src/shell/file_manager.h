#pragma once

#include <QString>
#include <functional>

namespace velsnap {

// Shows the file in the desktop's file manager, selected, where the desktop
// offers that (org.freedesktop.FileManager1); otherwise opens its folder
// with the default handler. Returns at once; `failed` is told when neither
// worked.
void showInFileManager(const QString &path, std::function<void()> failed);

} // namespace velsnap
