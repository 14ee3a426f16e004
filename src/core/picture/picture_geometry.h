#pragma once

// The device's screen and the bottom-up 24-bit buffer it becomes.
namespace velsnap {

constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;
constexpr int kBufferRowBytes = kPictureWidth * 3;                    // 960, no row filler
constexpr int kPictureBufferBytes = kBufferRowBytes * kPictureHeight; // 230400
constexpr int kBlockBytes = 9600;                                     // 15 device rows
constexpr int kBlockCount = 16;
constexpr int kBitmapHeaderBytes = 54;
constexpr int kPictureFileBytes = kBitmapHeaderBytes + kPictureBufferBytes;

} // namespace velsnap
