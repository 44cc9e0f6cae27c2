// Profile files: the 2048 bytes of DataBuf, device address order, no
// header; accepted when byte 0x07F is 0x99.
#pragma once
#include <string>

#include "image/image_layout.h"

namespace zelko {

// The window's save dialog always appends ".bin" to the chosen name, also
// when it already ends in ".bin" ("abc" -> "abc.bin", "abc.bin" ->
// "abc.bin.bin").
std::string ProfileSavePath(const std::string& chosen);

// Writes the image to `path`, replacing the file atomically. Empty on
// success, otherwise what went wrong.
[[nodiscard]] std::string SaveProfile(const std::string& path, const DataBuf& image);

}  // namespace zelko
