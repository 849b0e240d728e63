#pragma once
// The platform's picture decoder: the first image of BMP, GIF, JPEG, PNG and
// ICO bytes, and the desktop's icons for files and standard places.
// Metafiles and every other format are not decoded.

#include "platform/Graphics.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Largest side, in pixels, of a picture the decoder accepts.
constexpr int MaxDecodedPictureSide = 16384;

enum class TPictureDecodeResult {
    Decoded,
    InvalidFormat,  // not one of the formats above
    Failed,         // the format's reader refused the bytes (truncated, damaged, too large)
};

// Decodes the first image of the bytes into Picture (pf32bit, with the
// picture's own transparency as alpha). Reads only data[0..size). On
// failure Picture is left empty.
TPictureDecodeResult DecodePicture(const std::uint8_t* data, std::size_t size, TBitmap& Picture);

// The desktop's icon for a file or folder (by its path when it exists,
// else by the type its name suggests) or, for a number, the standard icon
// with that index: 0 computer, 1 desktop, 2 trash, 3 network, 4 drive,
// 5 folder, 6 file. 32 x 32 pixels when Large, else 16 x 16. False (and an
// empty Icon) when there is no such icon.
bool ShellIcon(const std::string& Text, bool Large, TBitmap& Icon);
