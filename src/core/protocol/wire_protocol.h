#pragma once

#include "picture/picture_geometry.h"

#include <QByteArray>

// What the handheld and the receiver say to each other.
namespace velsnap::protocol {

inline constexpr int kHeaderBytes = 25;
inline const QByteArray kAcknowledgement("\x4F\x4B\x0D", 3); // "OK" and a carriage return

// A header is a screen copy when it holds the marker anywhere, exactly as written.
inline bool isScreenCopyHeader(const QByteArray &header)
{
    return header.contains("HZAURUS");
}

// This variant sends one byte more after its header, before the pixels.
inline bool hasExtraHeaderByte(const QByteArray &header)
{
    return header.contains("MI500");
}

// The pixels follow in kBlockCount blocks of kBlockBytes (picture_geometry.h).
static_assert(kBlockBytes * kBlockCount == kPictureWidth * kPictureHeight * 2);

} // namespace velsnap::protocol
