#include "tools/skin/png_io.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "base/atomic_file.h"

namespace zelko::skin {
namespace {

std::uint8_t ToByte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

struct Encoding {
  int colour_type = PNG_COLOR_TYPE_RGBA;
  int channels = 4;
  std::vector<png_color> palette;
  std::vector<png_byte> palette_alpha;
  std::vector<std::uint8_t> pixels;  // rows of the chosen colour type
};

Encoding ChooseEncoding(const RgbaImage& image) {
  Encoding e;
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  std::map<std::uint32_t, std::uint8_t> colours;
  bool opaque = true;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = &image.rgba[i * 4];
    opaque = opaque && p[3] == 255;
    if (colours.size() <= 256) {
      const std::uint32_t key = (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                (std::uint32_t{p[2]} << 8) | p[3];
      colours.emplace(key, 0);
    }
  }
  if (colours.size() <= 256) {
    e.colour_type = PNG_COLOR_TYPE_PALETTE;
    e.channels = 1;
    std::uint8_t index = 0;
    for (auto& [key, slot] : colours) {
      slot = index++;
      e.palette.push_back({static_cast<png_byte>(key >> 24), static_cast<png_byte>(key >> 16),
                           static_cast<png_byte>(key >> 8)});
      e.palette_alpha.push_back(static_cast<png_byte>(key));
    }
    e.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* p = &image.rgba[i * 4];
      const std::uint32_t key = (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                (std::uint32_t{p[2]} << 8) | p[3];
      e.pixels[i] = colours[key];
    }
    if (opaque) e.palette_alpha.clear();
    return e;
  }
  if (opaque) {
    e.colour_type = PNG_COLOR_TYPE_RGB;
    e.channels = 3;
    e.pixels.resize(count * 3);
    for (std::size_t i = 0; i < count; ++i) std::memcpy(&e.pixels[i * 3], &image.rgba[i * 4], 3);
    return e;
  }
  e.pixels = image.rgba;
  return e;
}

// Everything libpng can jump out of lives in here; the caller owns all
// objects with destructors, so the longjmp skips none of them.
bool RunEncoder(const RgbaImage& image, Encoding& e, std::vector<png_bytep>& rows,
                std::vector<std::uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
               8, e.colour_type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (e.colour_type == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, e.palette.data(), static_cast<int>(e.palette.size()));
    if (!e.palette_alpha.empty()) {
      png_set_tRNS(png, info, e.palette_alpha.data(), static_cast<int>(e.palette_alpha.size()), nullptr);
    }
  }
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

RgbaImage ToRgba(const Canvas& canvas, Outside outside) {
  RgbaImage image{canvas.width(), canvas.height(), {}};
  image.rgba.reserve(static_cast<std::size_t>(image.width) * image.height * 4);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Colour c = canvas.At(x, y);
      const std::uint8_t a = ToByte(c.a);
      if (a == 0) {
        const std::uint8_t red = outside == Outside::kColourKey ? kColourKeyRed : 0;
        image.rgba.insert(image.rgba.end(), {red, 0, 0, 0});
      } else {
        image.rgba.insert(image.rgba.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), a});
      }
    }
  }
  return image;
}

std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4) {
    return std::nullopt;
  }
  Encoding e = ChooseEncoding(image);
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  const std::size_t stride = static_cast<std::size_t>(image.width) * e.channels;
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = &e.pixels[y * stride];
  std::vector<std::uint8_t> out;
  if (!RunEncoder(image, e, rows, out)) return std::nullopt;
  return out;
}

std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> bytes) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return std::nullopt;
  png.format = PNG_FORMAT_RGBA;
  RgbaImage image{static_cast<int>(png.width), static_cast<int>(png.height), {}};
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  return image;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  return zelko::WriteFileAtomically(path, bytes).empty();
}

}  // namespace zelko::skin
