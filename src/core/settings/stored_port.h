#pragma once

#include "settings/settings_store.h"
#include "settings/stored_number.h"

namespace velsnap {

// The stored "port" (default "1") as the number it reads as: the port each
// reception run opens.
inline QString storedPortText(const SettingsStore &settings)
{
    return settings.read(kSnapSection, kPortKey, QStringLiteral("1"));
}

inline int storedPortNumber(const SettingsStore &settings)
{
    return readStoredInt16(storedPortText(settings));
}

} // namespace velsnap
