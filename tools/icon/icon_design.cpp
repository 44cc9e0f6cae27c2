#include "tools/icon/icon_design.h"

#include <cstdio>

#include "tools/skin/theme.h"

namespace zelko::icon {
namespace {

using skin::Vec;

constexpr float kRimWidth = 10.0f;

std::vector<Vec> Scaled(const std::vector<Vec>& points, float scale) {
  std::vector<Vec> out;
  for (const Vec& p : points) out.push_back({p.x * scale, p.y * scale});
  return out;
}

std::string PointList(const std::vector<Vec>& points) {
  std::string text;
  char pair[32];
  for (const Vec& p : points) {
    std::snprintf(pair, sizeof pair, "%s%g,%g", text.empty() ? "" : " ", p.x, p.y);
    text += pair;
  }
  return text;
}

std::string HexColour(unsigned rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", rgb);
  return text;
}

}  // namespace

std::vector<Vec> TilePoints() {
  // Corners cut at 45 degrees, top left and bottom right, as the skin's.
  return {{60, 12}, {244, 12}, {244, 196}, {196, 244}, {12, 244}, {12, 60}};
}

std::vector<Vec> LetterPoints() {
  return {{70, 70},  {186, 70},  {186, 100}, {114, 156}, {186, 156},
          {186, 186}, {70, 186}, {70, 156},  {142, 100}, {70, 100}};
}

skin::Canvas DrawIcon(int size) {
  const float scale = static_cast<float>(size) / kDesignSize;
  skin::Canvas canvas(size, size);
  const skin::Shape tile = skin::Polygon(Scaled(TilePoints(), scale));
  canvas.Fill(tile, skin::theme::C(skin::theme::kPanel));
  canvas.Fill(skin::InnerOutline(tile, kRimWidth * scale), skin::theme::C(skin::theme::kAccent));
  canvas.Fill(skin::Polygon(Scaled(LetterPoints(), scale)), skin::theme::C(skin::theme::kAccent));
  return canvas;
}

std::string IconSvg() {
  const std::string accent = HexColour(skin::theme::kAccent);
  char rim[16];
  std::snprintf(rim, sizeof rim, "%g", kRimWidth);
  // The rim lies inside the tile: a stroke of twice the width, clipped to it.
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
         "  <defs><clipPath id=\"tile\"><polygon points=\"" + PointList(TilePoints()) + "\"/></clipPath></defs>\n"
         "  <polygon points=\"" + PointList(TilePoints()) + "\" fill=\"" + HexColour(skin::theme::kPanel) +
         "\" stroke=\"" + accent + "\" stroke-width=\"" + std::to_string(2 * static_cast<int>(kRimWidth)) +
         "\" clip-path=\"url(#tile)\"/>\n"
         "  <polygon points=\"" + PointList(LetterPoints()) + "\" fill=\"" + accent + "\"/>\n"
         "</svg>\n";
}

}  // namespace zelko::icon
