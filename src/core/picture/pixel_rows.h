#pragma once

#include <QByteArray>

namespace velsnap {

// A picture as rows of 3-byte pixels with no row filler; which row comes
// first and the order of the three colours are the user's to say.
struct PixelRows {
    int width = 0;
    int height = 0;
    QByteArray bytes; // height rows of width * 3 bytes
};

} // namespace velsnap
