#include "tools/skin/draw_controls.h"

#include <cmath>
#include <numbers>

#include "tools/skin/image_set.h"
#include "tools/skin/theme.h"

namespace zelko::skin {
namespace {

using namespace theme;

enum class Look { kNormal, kHover, kPressed };

Rect Full(ImageSize s) { return {0, 0, static_cast<float>(s.w), static_cast<float>(s.h)}; }

// Page, profile and language tabs: a slanted right end, an accent stripe on
// the left that lights up for the active page.
Canvas Tab(Look look) {
  Canvas c(kTabSize.w, kTabSize.h);
  const Rect r = Full(kTabSize).Inset(1);
  const Shape body = Chamfered(r, 0, 12, 0, 0);
  switch (look) {
    case Look::kNormal:
      c.Fill(body, Vertical(C(kRaised), C(kBody), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1), C(kLine));
      c.Fill(RoundRect({r.x + 4, r.y + 9, 3, r.h - 18}, 1.5f), C(kLineHi));
      break;
    case Look::kHover:
      c.Fill(body, Vertical(C(kRaisedHi), C(kRaised), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1), C(kAccentDeep, 0.8f));
      c.Fill(RoundRect({r.x + 4, r.y + 7, 3, r.h - 14}, 1.5f), C(kAccent, 0.7f));
      break;
    case Look::kPressed:
      c.Fill(body, Horizontal(C(kAccentDark), C(kRaised), r.x, r.x + r.w));
      c.Fill(InnerOutline(body, 1), C(kAccentDeep));
      c.Glow(RoundRect({r.x + 4, r.y + 5, 4, r.h - 10}, 2), C(kAccent, 0.6f), 6);
      c.Fill(RoundRect({r.x + 4, r.y + 5, 4, r.h - 10}, 2), C(kAccent));
      // a chevron at the slanted end marks the active page
      c.Fill(Segment({r.x + r.w - 24, r.y + 12}, {r.x + r.w - 19, r.y + r.h / 2}, 1), C(kAccent));
      c.Fill(Segment({r.x + r.w - 19, r.y + r.h / 2}, {r.x + r.w - 24, r.y + r.h - 12}, 1), C(kAccent));
      break;
  }
  return c;
}

// Action buttons (Confirm, Apply, Read, resets, dialog buttons).
Canvas Action(Look look, ImageSize size) {
  Canvas c(size.w, size.h);
  const Rect r = Full(size).Inset(1);
  const Shape body = Chamfered(r, 8, 0, 8, 0);
  switch (look) {
    case Look::kNormal:
      c.Fill(body, Vertical(C(kRaisedHi), C(kRaised), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1), C(kLineHi));
      c.Fill(Segment({r.x + 10, r.y + 1.5f}, {r.x + r.w - 3, r.y + 1.5f}, 0.5f), C(0xFFFFFF, 0.08f));
      break;
    case Look::kHover:
      c.Fill(body, Vertical(C(0x2E3844), C(kRaisedHi), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1), C(kAccent));
      c.Fill(Segment({r.x + 12, r.y + r.h - 2.5f}, {r.x + r.w - 12, r.y + r.h - 2.5f}, 0.75f), C(kAccent, 0.7f));
      break;
    case Look::kPressed:
      c.Fill(body, Vertical(C(kAccentDark), C(0x0A5A70), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1.5f), C(kAccent));
      break;
  }
  return c;
}

// The dot of the macro page's record button: white while recording (the
// pressed look), an accent dot after a recording stopped (ready again).
enum class Dot { kNone, kRecording, kReady };

// Rounded pill buttons of the macro page (MacroS, MacroBtnS).
Canvas Pill(Look look, ImageSize size, Dot dot) {
  Canvas c(size.w, size.h);
  const Rect r = Full(size).Inset(1);
  const Shape body = RoundRect(r, r.h / 2);
  switch (look) {
    case Look::kNormal:
      c.Fill(body, Vertical(C(kRaised), C(kBody), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1), C(kAccentDeep, 0.9f));
      break;
    case Look::kHover:
      c.Fill(body, Vertical(C(kRaisedHi), C(kRaised), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1.5f), C(kAccent));
      break;
    case Look::kPressed:
      c.Fill(body, Vertical(C(kAccentDeep), C(kAccentDark), r.y, r.y + r.h));
      c.Fill(InnerOutline(body, 1.5f), C(kAccent));
      break;
  }
  const Vec dot_at{r.x + r.h / 2 + 2, r.y + r.h / 2};
  if (dot == Dot::kRecording) {
    c.Glow(Circle(dot_at, 4), C(kAccent, 0.8f), 5);
    c.Fill(Circle(dot_at, 4), C(0xFFFFFF));
  } else if (dot == Dot::kReady) {
    c.Fill(Circle(dot_at, 3), C(kAccent));
  }
  return c;
}

// A square window-corner button with a glyph drawn by `glyph`.
template <typename Glyph>
Canvas CornerButton(Look look, ImageSize size, Glyph glyph) {
  Canvas c(size.w, size.h);
  const Rect r = Full(size).Inset(1);
  const Shape body = RoundRect(r, 6);
  Colour ink = C(kText, 0.75f);
  switch (look) {
    case Look::kNormal:
      c.Fill(InnerOutline(body, 1), C(kLine));
      break;
    case Look::kHover:
      c.Fill(body, C(kRaisedHi));
      c.Fill(InnerOutline(body, 1), C(kAccentDeep));
      ink = C(kAccent);
      break;
    case Look::kPressed:
      c.Fill(body, C(kAccentDark));
      c.Fill(InnerOutline(body, 1), C(kAccent));
      ink = C(0xFFFFFF);
      break;
  }
  glyph(c, r, ink);
  return c;
}

void CrossGlyph(Canvas& c, Rect r, Colour ink) {
  const float m = 10.5f;
  c.Fill(Segment({r.x + m, r.y + m}, {r.x + r.w - m, r.y + r.h - m}, 1.1f), ink);
  c.Fill(Segment({r.x + r.w - m, r.y + m}, {r.x + m, r.y + r.h - m}, 1.1f), ink);
}

void MinusGlyph(Canvas& c, Rect r, Colour ink) {
  const float y = r.y + r.h / 2 + 0.5f;
  c.Fill(Segment({r.x + 10, y}, {r.x + r.w - 10, y}, 1.1f), ink);
}

// The web button: a round button with a globe.
Canvas Web(Look look) {
  Canvas c(kWebSize.w, kWebSize.h);
  const Vec o{kWebSize.w / 2.0f, kWebSize.h / 2.0f};
  const float R = kWebSize.w / 2.0f - 2;
  Colour ink = C(kTextDim);
  switch (look) {
    case Look::kNormal:
      c.Fill(Circle(o, R), C(kRaised));
      c.Fill(InnerOutline(Circle(o, R), 1), C(kLineHi));
      break;
    case Look::kHover:
      c.Glow(Circle(o, R), C(kAccent, 0.35f), 2);
      c.Fill(Circle(o, R), C(kRaisedHi));
      c.Fill(InnerOutline(Circle(o, R), 1.5f), C(kAccent));
      ink = C(kAccent);
      break;
    case Look::kPressed:
      c.Fill(Circle(o, R), C(kAccentDark));
      c.Fill(InnerOutline(Circle(o, R), 1.5f), C(kAccent));
      ink = C(0xFFFFFF);
      break;
  }
  const float g = 11;
  c.Fill(Outline(Circle(o, g), 1.6f), ink);
  c.Fill(Segment({o.x - g, o.y}, {o.x + g, o.y}, 0.8f), ink);
  c.Fill(Segment({o.x, o.y - g}, {o.x, o.y + g}, 0.8f), ink);
  // the two meridians: an ellipse outline squeezed from a circle
  const Shape meridian{[o, g](float x, float y) {
                         const float sx = (x - o.x) / 0.45f, sy = y - o.y;
                         return (std::hypot(sx, sy) - g) * 0.45f;
                       },
                       {o.x - g - 2, o.y - g - 2, 2 * g + 4, 2 * g + 4}};
  c.Fill(Outline(meridian, 1.4f), ink);
  c.Fill(Intersect(Outline(Circle({o.x, o.y + 15}, 14), 1.2f), Circle(o, g)), ink);
  c.Fill(Intersect(Outline(Circle({o.x, o.y - 15}, 14), 1.2f), Circle(o, g)), ink);
  return c;
}

// Frames of the nine button labels on the main page.
Canvas KeyFrame(Look look) {
  Canvas c(kKeyFrameSize.w, kKeyFrameSize.h);
  const Rect r = Full(kKeyFrameSize).Inset(1);
  const Shape body = Chamfered(r, 10, 0, 10, 0);
  if (look == Look::kNormal) {
    c.Fill(body, Vertical(C(kRaised), C(kBody), r.y, r.y + r.h));
    c.Fill(InnerOutline(body, 1), C(kLineHi));
    c.Fill(Segment({r.x + 1, r.y + 12}, {r.x + 1, r.y + r.h - 12}, 1), C(kAccentDeep));
  } else {
    c.Fill(body, Horizontal(C(kAccentDark), C(kRaisedHi), r.x, r.x + r.w));
    c.Fill(InnerOutline(body, 1.5f), C(kAccent));
    c.Fill(Segment({r.x + 1.5f, r.y + 10}, {r.x + 1.5f, r.y + r.h - 10}, 1.5f), C(kAccent));
  }
  return c;
}

// Bar notches: Bar1 rounded, Bar2 (DPI) slanted.
Canvas Notch(ImageSize size, bool slanted, bool lit) {
  Canvas c(size.w, size.h);
  const Rect r = Full(size).Inset(1);
  const float skew = slanted ? 5 : 0;
  const Shape body = slanted ? Polygon({{r.x + skew, r.y}, {r.x + r.w, r.y}, {r.x + r.w - skew, r.y + r.h}, {r.x, r.y + r.h}})
                             : RoundRect(r, 3);
  if (lit) {
    c.Fill(body, Vertical(C(0x6FF0FF), C(kAccentDeep), r.y, r.y + r.h));
    c.Fill(InnerOutline(body, 1), C(kAccent));
  } else {
    c.Fill(body, Vertical(C(kRaised), C(kBody), r.y, r.y + r.h));
    c.Fill(InnerOutline(body, 1), C(kLineHi));
  }
  return c;
}

// Round markers: current DPI level, long-press options, colour choice.
Canvas Marker(bool on) {
  Canvas c(kMarkerSize.w, kMarkerSize.h);
  const Vec o{kMarkerSize.w / 2.0f, kMarkerSize.h / 2.0f};
  const float R = kMarkerSize.w / 2.0f - 1;
  c.Fill(Circle(o, R), C(kBase));
  if (on) {
    c.Fill(InnerOutline(Circle(o, R), 1.5f), C(kAccent));
    c.Fill(Circle(o, 3.5f), C(0x9AF4FF));
    c.Glow(Circle(o, 3.5f), C(kAccent, 0.7f), 3);
  } else {
    c.Fill(InnerOutline(Circle(o, R), 1.2f), C(kLineHi));
  }
  return c;
}

// Radio images: rounded squares with a lit core.
Canvas Radio(bool on) {
  Canvas c(kRadioSize.w, kRadioSize.h);
  const Rect r = Full(kRadioSize).Inset(1);
  const Shape box = RoundRect(r, 4);
  c.Fill(box, C(kBase));
  if (on) {
    c.Fill(InnerOutline(box, 1.5f), C(kAccent));
    c.Fill(RoundRect(r.Inset(4), 1.5f), C(kAccent));
  } else {
    c.Fill(InnerOutline(box, 1.2f), C(kLineHi));
  }
  return c;
}

// The frame over a colour swatch: rounds the swatch's corners with the panel
// colour and rings it.
Canvas SwatchFrame() {
  Canvas c(kSwatchSize.w, kSwatchSize.h);
  const Rect r = Full(kSwatchSize);
  const Shape window = RoundRect(r.Inset(2), 4);
  c.Fill(Subtract(RoundRect({-2, -2, r.w + 4, r.h + 4}, 0), window), C(kPanel));
  c.Fill(InnerOutline(RoundRect(r.Inset(1), 5), 1.5f), C(kLineHi));
  c.Fill(InnerOutline(window, 1), C(0x000000, 0.45f));
  return c;
}

}  // namespace

std::vector<NamedCanvas> DrawControlImages() {
  std::vector<NamedCanvas> out;
  const Look looks[] = {Look::kNormal, Look::kHover, Look::kPressed};
  for (int i = 0; i < 3; ++i) {
    const std::string n = "_0" + std::to_string(i + 1);
    out.push_back({"SetS" + n, Tab(looks[i])});
    out.push_back({"BtnS" + n, Action(looks[i], kActionSize)});
    out.push_back({"ExitS" + n, CornerButton(looks[i], kCloseSize, CrossGlyph)});
    out.push_back({"MacroS" + n, Pill(looks[i], kMacroButtonSize,
                                      looks[i] == Look::kPressed ? Dot::kRecording : Dot::kNone)});
    out.push_back({"MacroBtnS" + n, Pill(looks[i], kPanelButtonSize, Dot::kNone)});
  }
  out.push_back({"MacroS_04", Pill(Look::kNormal, kMacroButtonSize, Dot::kReady)});
  out.push_back({"MiniS_01", CornerButton(Look::kNormal, kMinimiseSize, MinusGlyph)});
  out.push_back({"MiniS_02", CornerButton(Look::kHover, kMinimiseSize, MinusGlyph)});
  // the web button's hover look is _03 and its pressed look _02
  out.push_back({"WebS_01", Web(Look::kNormal)});
  out.push_back({"WebS_03", Web(Look::kHover)});
  out.push_back({"WebS_02", Web(Look::kPressed)});
  out.push_back({"KeyS_01", KeyFrame(Look::kNormal)});
  out.push_back({"KeyS_02", KeyFrame(Look::kHover)});
  out.push_back({"Bar1_D", Notch(kSpeedNotchSize, false, false)});
  out.push_back({"Bar1_E", Notch(kSpeedNotchSize, false, true)});
  out.push_back({"Bar2_D", Notch(kDpiNotchSize, true, false)});
  out.push_back({"Bar2_E", Notch(kDpiNotchSize, true, true)});
  out.push_back({"CbS_D", Marker(false)});
  out.push_back({"CbS_E", Marker(true)});
  out.push_back({"RdS_D", Radio(false)});
  out.push_back({"RdS_E", Radio(true)});
  out.push_back({"Col_F", SwatchFrame()});
  return out;
}

}  // namespace zelko::skin
