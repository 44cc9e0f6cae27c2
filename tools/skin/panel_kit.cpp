#include "tools/skin/panel_kit.h"

#include "tools/skin/image_set.h"
#include "tools/skin/outline_text.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/theme.h"

namespace zelko::skin {

using namespace theme;

void Pen::Heading(Point at, std::string_view text) {
  if (text.empty()) return;
  const Rect bar = Local(static_cast<float>(at.x), static_cast<float>(at.y), 10, 3);
  canvas_.Fill(RoundRect({bar.x, bar.y + 2, bar.w, bar.h}, 1), C(kAccent));
  (void)DrawWords(canvas_, static_cast<int>(bar.x) + 16, static_cast<int>(bar.y), text, C(kTextDim), 1, 1);
}

void Pen::Caption(Point at, std::string_view text, unsigned rgb, int control_height) {
  const Rect r = Local(static_cast<float>(at.x), static_cast<float>(at.y), 0, 0);
  const int y = static_cast<int>(r.y) + (control_height - kGlyphHeight) / 2;
  (void)DrawWords(canvas_, static_cast<int>(r.x), y, text, C(rgb), 1, 0);
}

void Pen::Well(float x, float y, float w, float h) {
  const Shape well = RoundRect(Local(x, y, w, h), 3);
  canvas_.Fill(well, C(kBase));
  canvas_.Fill(InnerOutline(well, 1), C(kLine));
}

void Pen::Band(float x, float y, float w, float h) {
  canvas_.Fill(RoundRect(Local(x, y, w, h), 4), C(kBody, 0.7f));
}

}  // namespace zelko::skin

namespace zelko::skin {

Canvas CutHard(const Canvas& body, const Shape& outline) {
  Canvas shaped(body.width(), body.height());
  for (int y = 0; y < body.height(); ++y) {
    for (int x = 0; x < body.width(); ++x) {
      if (outline(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f) < 0) {
        shaped.Set(x, y, body.At(x, y));
      }
    }
  }
  return shaped;
}

Canvas PanelPlate() {
  using namespace theme;
  constexpr float w = kPanelSize.w, h = kPanelSize.h;
  Canvas c(kPanelSize.w, kPanelSize.h);
  const Shape plate = Chamfered({0.5f, 0.5f, w - 1, h - 1}, 16, 0, 16, 0);
  c.Fill(plate, Vertical(C(kPanel), C(0x14171D), 0, h));
  c.Fill(InnerOutline(plate, 1), C(kLine));
  c.Fill(Segment({1.5f, 16}, {16, 1.5f}, 1), C(kAccent));
  c.Fill(Segment({w - 16, h - 1.5f}, {w - 1.5f, h - 16}, 1), C(kAccentDeep));
  return c;
}

}  // namespace zelko::skin
