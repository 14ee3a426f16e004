#pragma once

namespace velsnap {

// A process started without HOME, or with an empty one (cron, `env -u HOME`,
// some service managers), still belongs to a user with a home: this sets
// HOME to the one in the password database, so the settings and the
// pictures folder land there rather than under "/".
void ensureHomeVariable();

} // namespace velsnap
