// The main page's panel: a top view of the mouse with its nine buttons
// numbered, and leader lines to the key frames the layout pack places.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/skin/draw_pages.h"
#include "tools/skin/image_set.h"
#include "tools/skin/page_words.h"
#include "tools/skin/panel_kit.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/theme.h"

namespace zelko::skin {
namespace {

using namespace theme;

constexpr float kMouseRx = 86, kMouseRy = 146;

// Where each button sits on the mouse, from the mouse's centre. Side buttons
// (side = -1 left, +1 right) sit on the shell's edge at their height.
struct Spot {
  float x, y;
  int side;
};
constexpr Spot kButtonSpots[9] = {
    {-42, -92, 0},  // 1 left button
    {0, -108, 0},   // 2 wheel
    {42, -92, 0},   // 3 right button
    {0, 4, -1},     // 4 backward
    {0, -40, -1},   // 5 forward
    {0, -58, 0},    // 6 DPI
    {0, -30, 0},    // 7 behind DPI
    {0, 50, -1},    // 8 lower side button
    {0, 0, 1},      // 9 right side button
};

// Half the shell's width at height dy from the centre: narrower at the front
// and drawn in at the waist where the thumb rests.
float HalfWidth(float dy) {
  const float front = 0.93f + 0.07f * std::clamp((dy + kMouseRy) / (2 * kMouseRy), 0.0f, 1.0f);
  const float waist = 1 - 0.08f * std::exp(-std::pow((dy - 8) / 55, 2.0f));
  return kMouseRx * front * waist;
}

Vec SpotAt(Vec o, const Spot& s) {
  if (s.side == 0) return {o.x + s.x, o.y + s.y};
  return {o.x + static_cast<float>(s.side) * (HalfWidth(s.y) + 2), o.y + s.y};
}

Shape Shell(Vec o) {
  return {[o](float x, float y) {
            const float dy = y - o.y;
            return (std::hypot((x - o.x) / HalfWidth(std::clamp(dy, -kMouseRy, kMouseRy)), dy / kMouseRy) - 1) *
                   kMouseRx * 0.9f;
          },
          {o.x - kMouseRx - 2, o.y - kMouseRy - 2, 2 * kMouseRx + 4, 2 * kMouseRy + 4}};
}

// A faint dot grid around the mouse, fading out with the distance.
void DrawGrid(Canvas& c, Vec o) {
  constexpr int kStep = 16;
  constexpr float kReach = 230;
  for (int y = kStep; y < c.height() - kStep / 2; y += kStep) {
    for (int x = kStep; x < c.width() - kStep / 2; x += kStep) {
      const float d = std::hypot(static_cast<float>(x) - o.x, static_cast<float>(y) - o.y);
      if (d < kReach) c.Blend(x, y, C(kAccent), 0.35f * (1 - d / kReach));
    }
  }
}

void DrawMouse(Canvas& c, Vec o) {
  const Shape body = Shell(o);
  c.Glow(Shell({o.x, o.y + 6}), C(0x000000, 0.55f), 18);
  // side buttons stand out of the shell
  for (const Spot& s : kButtonSpots) {
    if (s.side == 0) continue;
    const float edge = o.x + static_cast<float>(s.side) * HalfWidth(s.y);
    const Rect r{s.side < 0 ? edge - 7 : edge - 6, o.y + s.y - 15, 13, 30};
    c.Fill(RoundRect(r, 5), C(kRaisedHi));
    c.Fill(InnerOutline(RoundRect(r, 5), 1), C(kLineHi));
  }
  c.Fill(body, Vertical(C(0x2A313B), C(0x14181E), o.y - kMouseRy, o.y + kMouseRy));
  c.Fill(InnerOutline(body, 1.5f), C(kLineHi));
  // the seam between the buttons and the palm rest, and between the buttons
  c.Fill(Intersect(Outline(Circle({o.x, o.y + 170}, 210), 1.2f), body), C(kBase));
  c.Fill(Segment({o.x, o.y - kMouseRy + 2}, {o.x, o.y - 40}, 0.8f), C(kBase));
  // wheel in its slot, lit in the accent
  c.Fill(RoundRect({o.x - 10, o.y - 134, 20, 50}, 9), C(kBase));
  c.Glow(RoundRect({o.x - 5, o.y - 129, 10, 40}, 5), C(kAccent, 0.5f), 6);
  c.Fill(RoundRect({o.x - 5, o.y - 129, 10, 40}, 5), Vertical(C(0x7FF2FF), C(kAccentDeep), o.y - 129, o.y - 89));
  for (int i = 0; i < 5; ++i) {
    const float y = o.y - 123 + i * 7.0f;
    c.Fill(Segment({o.x - 4, y}, {o.x + 4, y}, 0.5f), C(kAccentDark, 0.8f));
  }
  // a light strip across the palm rest
  const Rect strip{o.x - 36, o.y + 98, 72, 4};
  c.Glow(RoundRect(strip, 2), C(kAccent, 0.45f), 10);
  c.Fill(RoundRect(strip, 2), C(kAccent));
  c.Fill(Segment({o.x - 46, o.y + 122}, {o.x - 36, o.y + 112}, 1), C(kAccent, 0.5f));
  c.Fill(Segment({o.x + 36, o.y + 112}, {o.x + 46, o.y + 122}, 1), C(kAccent, 0.5f));
}

void DrawSpot(Canvas& c, Vec at, int number) {
  c.Fill(Circle(at, 10), C(kBase));
  c.Fill(InnerOutline(Circle(at, 10), 1.5f), C(kAccent));
  const std::string digit = std::to_string(number);
  DrawText(c, static_cast<int>(at.x) - 2, static_cast<int>(at.y) - 3, digit, C(kText));
}

}  // namespace

Canvas DrawMainPanel(const SkinLayout& s) {
  const PageWords& words = WordsFor(s.language());
  const Point origin = s.At("P1");
  Canvas c = PanelPlate();
  Pen pen(c, origin);
  pen.Heading({origin.x + 16, origin.y + 14}, words.buttons);

  const Vec mouse = pen.Local({origin.x + kPanelSize.w / 2.0f, origin.y + 220.0f});
  DrawGrid(c, mouse);
  DrawMouse(c, mouse);
  for (int k = 1; k <= 9; ++k) {
    const std::string key = "Key" + std::to_string(k);
    const Vec spot = SpotAt(mouse, kButtonSpots[k - 1]);
    if (s.Enabled(key) && s.Inside(key)) {
      const Point p = s.At(key);
      const Rect frame = pen.Local(static_cast<float>(p.x), static_cast<float>(p.y), kKeyFrameSize.w,
                                   kKeyFrameSize.h);
      const bool left = frame.x + frame.w / 2 < mouse.x;
      const float fy = frame.y + frame.h / 2;
      const Vec start{left ? frame.x + frame.w : frame.x, fy};
      const Vec elbow{left ? start.x + 18 : start.x - 18, fy};
      c.Fill(Segment(start, elbow, 0.6f), C(kAccentDeep));
      c.Fill(Segment(elbow, spot, 0.6f), C(kAccentDeep));
      c.Fill(Circle(start, 2.5f), C(kAccent));
    }
    DrawSpot(c, spot, k);
  }
  if (s.Enabled("ComboKey1") && s.Inside("ComboKey1")) {
    const Point p = s.At("ComboKey1");
    pen.Heading({p.x - 8, p.y - 20}, words.long_press);
  }
  return c;
}

}  // namespace zelko::skin
