#include "serial/event_wait.h"

#include <QCoreApplication>

namespace velsnap {

bool waitWithEvents(const std::function<bool()> &done, const std::function<bool()> &interrupted)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    for (;;) {
        if (interrupted())
            return false;
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

} // namespace velsnap
