#include "system/home_variable.h"

#include <QByteArray>
#include <QtGlobal>
#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace velsnap {

void ensureHomeVariable()
{
#ifndef Q_OS_WIN
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return;
    if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        qputenv("HOME", QByteArray(user->pw_dir));
#endif
}

} // namespace velsnap
