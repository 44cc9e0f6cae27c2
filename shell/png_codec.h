// PNG through libpng: decoding the skin's images into QImage and encoding
// pictures of the window. Qt's own image plugins are not used for PNG.
#pragma once
#include <QImage>
#include <cstdint>
#include <span>
#include <vector>

namespace zelko {

// The skin's colour key: pixels of exactly this colour are see-through
// (R 128, G 0, B 0, colour value 0x80).
inline constexpr QRgb kSkinColourKey = qRgb(128, 0, 0);

// Decodes PNG bytes into a 32-bit ARGB image (premultiplied). Opaque pixels
// of the colour key become fully transparent. A null image when the bytes are
// not a readable PNG.
QImage DecodeSkinPng(std::span<const std::uint8_t> bytes);

// The image as PNG bytes (8-bit RGBA); empty when it cannot be encoded.
std::vector<std::uint8_t> EncodePng(const QImage& image);

}  // namespace zelko
