#include "platform/home_variable.h"

namespace velsnap {

// Windows programs find the user's folders through the shell, not HOME.
void ensureHomeVariable()
{}

} // namespace velsnap
