#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace velsnap {

// Collects the pixel data of every copy started, for tests to compare with
// what the receiver made of it. Without a path it keeps nothing.
class SentLog {
public:
    // Empties the file first.
    explicit SentLog(const std::optional<std::string> &path);

    void add(const std::vector<std::uint8_t> &pixels);

private:
    std::ofstream m_file;
};

} // namespace velsnap
