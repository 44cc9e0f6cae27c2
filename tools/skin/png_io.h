// PNG encoding and decoding through libpng. Written files replace the old
// ones atomically (temporary file in the same folder, fsync, rename).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/skin/canvas.h"

namespace zelko::skin {

// What fully transparent pixels carry as colour. Images that shape a window
// (backgrounds, dialog backgrounds) keep the maroon colour key there, so that
// a colour-key reader and an alpha reader both see the outside.
enum class Outside { kBlack, kColourKey };

inline constexpr std::uint8_t kColourKeyRed = 128;  // R = 128, G = 0, B = 0

// 8-bit RGBA pixels, row by row.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

RgbaImage ToRgba(const Canvas& canvas, Outside outside);

// Encodes with the smallest lossless colour type that fits (palette when the
// image has at most 256 distinct colours, else RGB or RGBA). Empty on failure.
std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image);

// Decodes any PNG to 8-bit RGBA; empty when the bytes are not a valid PNG.
std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> bytes);

// Writes the bytes to `path` atomically; false when any step fails (the old
// file is then left as it was).
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace zelko::skin
