#include "sentlog.h"

#include "device_texts.h"

#include <stdexcept>

namespace velsnap {

SentLog::SentLog(const std::optional<std::string> &path)
{
    if (!path)
        return;
    m_file.open(*path, std::ios::binary | std::ios::trunc);
    if (!m_file)
        throw std::runtime_error(device_texts::cannotWrite(*path));
}

void SentLog::add(const std::vector<std::uint8_t> &pixels)
{
    if (!m_file.is_open())
        return;
    m_file.write(reinterpret_cast<const char *>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    // Flushed at once, so a test can read it while the device still runs.
    m_file.flush();
    if (!m_file)
        throw std::runtime_error(device_texts::kSentLogFailed);
}

} // namespace velsnap
