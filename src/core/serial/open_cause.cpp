#include "serial/open_cause.h"

namespace velsnap {

OpenResult openResultFor(OpenCause cause)
{
    switch (cause) {
    case OpenCause::NoPortNumber:
    case OpenCause::Missing:
    case OpenCause::NoHardware:
    case OpenCause::NotAllowed:
    case OpenCause::PlainFile:
    case OpenCause::Folder:
    case OpenCause::NotTerminal:
        return OpenResult::Unusable;
    case OpenCause::OpenHere:
    case OpenCause::Held:
        return OpenResult::InUse;
    case OpenCause::Unknown:
        break;
    }
    return OpenResult::Failed;
}

} // namespace velsnap
