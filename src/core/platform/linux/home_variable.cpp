#include "platform/home_variable.h"

#include <QByteArray>
#include <QtGlobal>
#include <pwd.h>
#include <unistd.h>

namespace velsnap {

void ensureHomeVariable()
{
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return;
    if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        qputenv("HOME", QByteArray(user->pw_dir));
}

} // namespace velsnap
