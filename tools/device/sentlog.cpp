#include "sentlog.h"

#include <stdexcept>

SentLog::SentLog(const std::optional<std::string> &path)
{
    if (!path)
        return;
    file_.open(*path, std::ios::binary | std::ios::trunc);
    if (!file_)
        throw std::runtime_error("cannot write " + *path);
}

void SentLog::add(const std::vector<std::uint8_t> &pixels)
{
    if (!file_.is_open())
        return;
    file_.write(reinterpret_cast<const char *>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    // Flushed at once, so a test can read it while the device still runs.
    file_.flush();
    if (!file_)
        throw std::runtime_error("writing the sent pixel data failed");
}
