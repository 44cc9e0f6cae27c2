#include "tools/skin/outline_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/skin/pixel_font.h"

namespace zelko::skin {
namespace {

// The CJK fonts the set-up installs from Debian, first found wins.
constexpr const char* kCjkFonts[] = {
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
};

// Pixel height of outline text at scale 1: the pixel font's 7 rows read as
// about 12 pixels of CJK text.
constexpr int kOutlinePixelHeight = 12;

class Face {
 public:
  Face() {
    if (FT_Init_FreeType(&library_) != 0) return;
    for (const char* path : kCjkFonts) {
      if (std::filesystem::exists(path) && FT_New_Face(library_, path, 0, &face_) == 0) return;
    }
    face_ = nullptr;
    std::fprintf(stderr, "skin: no CJK font found (install fonts-wqy-microhei)\n");
  }
  ~Face() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
  FT_Face get(int pixel_height) {
    if (face_) FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixel_height));
    return face_;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

Face& TheFace() {
  static Face face;
  return face;
}

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

// Walks the text glyph by glyph; `draw` receives each rendered glyph and the
// pen position. Returns the width, or -1 when a glyph is missing.
template <typename Draw>
int WalkOutline(std::string_view text, int scale, int tracking, Draw draw) {
  FT_Face face = TheFace().get(kOutlinePixelHeight * scale);
  if (!face) return -1;
  int pen = 0;
  bool complete = true;
  const auto points = CodePoints(text);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const FT_UInt glyph = FT_Get_Char_Index(face, points[i]);
    if (glyph == 0 && points[i] != U' ') complete = false;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) {
      complete = false;
      continue;
    }
    draw(face->glyph, pen);
    pen += static_cast<int>(face->glyph->advance.x >> 6);
    if (i + 1 < points.size()) pen += tracking;
  }
  return complete ? pen : -1;
}

}  // namespace

bool PixelFontDraws(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool DrawWords(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale,
               int tracking) {
  if (PixelFontDraws(text)) {
    DrawText(canvas, x, y, text, colour, scale, tracking);
    return true;
  }
  // The baseline sits where the pixel font's bottom row would, so mixed
  // pages line up; the strokes above reach a little higher.
  const int baseline = y + kGlyphHeight * scale + 2 * scale;
  const int width = WalkOutline(text, scale, tracking, [&](FT_GlyphSlot slot, int pen) {
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const int px = x + pen + slot->bitmap_left + static_cast<int>(col);
        const int py = baseline - slot->bitmap_top + static_cast<int>(row);
        if (px < 0 || py < 0 || px >= canvas.width() || py >= canvas.height()) continue;
        const unsigned char coverage = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col];
        if (coverage) canvas.Blend(px, py, colour, static_cast<float>(coverage) / 255.0f);
      }
    }
  });
  return width >= 0;
}

int WordsWidth(std::string_view text, int scale, int tracking) {
  if (PixelFontDraws(text)) return TextWidth(text, scale, tracking);
  return WalkOutline(text, scale, tracking, [](FT_GlyphSlot, int) {});
}

}  // namespace zelko::skin
