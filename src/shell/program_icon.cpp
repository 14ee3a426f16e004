#include "shell/program_icon.h"

// The icon sits in the core library's resources; a static link drops them
// unless they are registered by name, which has to happen outside a namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(velsnap);
}

namespace velsnap {

QIcon programIcon()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/velsnap.png"));
}

} // namespace velsnap
