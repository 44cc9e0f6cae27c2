#include "shell/png_codec.h"

#include <png.h>

#include <cstring>
#include <limits>

namespace zelko {

namespace {

// Images larger than this are refused rather than allocated.
constexpr png_uint_32 kMaxSide = 8192;

void MakeColourKeyTransparent(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == kSkinColourKey) row[x] = 0;
    }
  }
}

}  // namespace

QImage DecodeSkinPng(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return {};
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    png_image_free(&png);
    return {};
  }
  if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) {
    png_image_free(&png);
    return {};
  }
  // BGRA in memory is QImage's ARGB32 on little-endian machines, ARGB on big.
  png.format = (QSysInfo::ByteOrder == QSysInfo::LittleEndian) ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
  if (image.isNull()) {
    png_image_free(&png);
    return {};
  }
  const auto stride = static_cast<png_int_32>(image.bytesPerLine());
  if (!png_image_finish_read(&png, nullptr, image.bits(), stride, nullptr)) {
    png_image_free(&png);
    return {};
  }
  MakeColourKeyTransparent(image);
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::vector<std::uint8_t> EncodePng(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(rgba.width());
  png.height = static_cast<png_uint_32>(rgba.height());
  png.format = PNG_FORMAT_RGBA;
  const auto stride = static_cast<png_int_32>(rgba.bytesPerLine());
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgba.constBits(), stride, nullptr)) return {};
  std::vector<std::uint8_t> bytes(size);
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, rgba.constBits(), stride, nullptr)) {
    return {};
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace zelko
