#pragma once

#include <functional>

namespace velsnap {

// Handles pending window events, then sleeps until the next event arrives
// (serial data, a click, a timer), until `done` holds or `interrupted` does.
// Returns true when `done` held. Costs no CPU while nothing happens.
bool waitWithEvents(const std::function<bool()> &done, const std::function<bool()> &interrupted);

} // namespace velsnap
