// Drawing helpers for the page pictures: a pen that takes window
// coordinates (as the layout packs give them) and draws on a picture that
// sits at some origin in the window.
#pragma once
#include <string_view>

#include "tools/skin/canvas.h"
#include "tools/skin/skin_layout.h"

namespace zelko::skin {

class Pen {
 public:
  Pen(Canvas& canvas, Point origin) : canvas_(canvas), origin_(origin) {}

  Canvas& canvas() { return canvas_; }
  // A window rectangle in the picture's coordinates.
  Rect Local(float x, float y, float w, float h) const {
    return {x - static_cast<float>(origin_.x), y - static_cast<float>(origin_.y), w, h};
  }
  Vec Local(Vec v) const { return {v.x - static_cast<float>(origin_.x), v.y - static_cast<float>(origin_.y)}; }

  // A section heading: a short accent bar and dim spaced capitals.
  void Heading(Point at, std::string_view text);
  // Plain text; vertically centred on a control of the given height.
  void Caption(Point at, std::string_view text, unsigned rgb, int control_height = 7);
  // The inset well an edit box or list sits in.
  void Well(float x, float y, float w, float h);
  // A faint band behind a row of controls.
  void Band(float x, float y, float w, float h);

 private:
  Canvas& canvas_;
  Point origin_;
};

}  // namespace zelko::skin

namespace zelko::skin {

// The pixels of `body` whose centre lies inside `outline`; everything else
// fully transparent. Window and dialog outlines are cut this way so that no
// half-covered pixel mixes with the colour key.
Canvas CutHard(const Canvas& body, const Shape& outline);

// The empty page panel: a chamfered plate with a hairline border.
Canvas PanelPlate();

}  // namespace zelko::skin
