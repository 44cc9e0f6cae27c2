// The panels of the advanced, light and macro pages: headings, option names
// and the wells and bands behind the controls the layout pack places.
#include <string>
#include <utility>

#include "tools/skin/draw_pages.h"
#include "tools/skin/image_set.h"
#include "tools/skin/page_words.h"
#include "tools/skin/panel_kit.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/theme.h"

namespace zelko::skin {
namespace {

using namespace theme;

// Suggested sizes of the plain controls the packs place but do not size.
constexpr int kEditW = 64, kEditH = 22;
constexpr int kEventListW = 216;

float F(int v) { return static_cast<float>(v); }

// Width of a notch row of `count` notches of `notch` width placed by prefix.
int RowWidth(const SkinLayout& s, const std::string& prefix, int count, int notch) {
  return count * notch + (count - 1) * s.Get(prefix + "_D");
}

// A caption to the right of a marker or radio image at `p`.
void OptionText(Pen& pen, Point p, const char* text) {
  pen.Caption({p.x + kRadioSize.w + 6, p.y}, text, kText, kRadioSize.h);
}

}  // namespace

Canvas DrawAdvancedPanel(const SkinLayout& s) {
  const PageWords& w = WordsFor(s.language());
  const Point origin = s.At("P2");
  Canvas c = PanelPlate();
  Pen pen(c, origin);
  pen.Heading({origin.x + 16, origin.y + 14}, w.dpi_levels);
  // a band behind every DPI level row and the AIM row
  const int right = s.Get("DPI1_Color_X") + kSwatchSize.w + 8;
  for (int n = 1; n <= 7; ++n) {
    const std::string level = "DPI" + std::to_string(n);
    if (!s.Inside(level)) continue;
    const Point check = s.At(level + "_Check");
    pen.Band(F(check.x - 8), F(check.y - 6), F(right - check.x + 8), 28);
  }
  if (s.Inside("AIMKey")) {
    const Point name = s.At("AIMKey");
    const Point check{s.Get("DPI1_Check_X"), name.y};
    pen.Band(F(check.x - 8), F(name.y - 6), F(right - check.x + 8), 28);
    // a crosshair where the level rows have their marker
    const Vec o = pen.Local({F(check.x) + 8, F(name.y) + 8});
    c.Fill(Outline(Circle(o, 5.5f), 1.2f), C(kAccent));
    c.Fill(Segment({o.x - 9, o.y}, {o.x - 3, o.y}, 0.6f), C(kAccent));
    c.Fill(Segment({o.x + 3, o.y}, {o.x + 9, o.y}, 0.6f), C(kAccent));
    c.Fill(Segment({o.x, o.y - 9}, {o.x, o.y - 3}, 0.6f), C(kAccent));
    c.Fill(Segment({o.x, o.y + 3}, {o.x, o.y + 9}, 0.6f), C(kAccent));
  }
  // fire key and level count column
  const Point repeat = s.At("FKCnt");
  const Point interval = s.At("FKDelay");
  pen.Heading({repeat.x, origin.y + 14}, w.fire_key);
  pen.Caption({repeat.x, repeat.y - 14}, w.repeat, kTextDim);
  pen.Well(F(repeat.x - 2), F(repeat.y - 2), kEditW + 4, kEditH + 4);
  pen.Caption({interval.x, interval.y - 14}, w.interval, kTextDim);
  pen.Well(F(interval.x - 2), F(interval.y - 2), kEditW + 4, kEditH + 4);
  if (s.Get("DPI_Count_Visible") == 1 && s.Inside("DPI_Count")) {
    const Point count = s.At("DPI_Count");
    pen.Caption({count.x, count.y - 14}, w.level_count, kTextDim);
    pen.Well(F(count.x - 2), F(count.y - 2), kEditW + 4, kEditH + 4);
  }
  // pointer speed bars
  const Point speed = s.At("Spd");
  pen.Heading({origin.x + 16, speed.y - 26}, w.pointer);
  struct Bar {
    const char* prefix;
    const char* name;
  };
  for (const Bar& bar : {Bar{"Spd", w.speed}, Bar{"DbSpd", w.double_click}, Bar{"ScrSpd", w.scroll}}) {
    const Point p = s.At(bar.prefix);
    pen.Caption({origin.x + 16, p.y}, bar.name, kText, kSpeedNotchSize.h);
    const int width = RowWidth(s, bar.prefix, 11, kSpeedNotchSize.w);
    const Rect track = pen.Local(F(p.x), F(p.y + kSpeedNotchSize.h + 4), F(width), 1);
    c.Fill(RoundRect(track, 0.5f), C(kLine));
  }
  OptionText(pen, s.At("IsControl"), w.precision);
  OptionText(pen, s.At("IsScreen"), w.one_screen);
  return c;
}

Canvas DrawLightPanel(const SkinLayout& s) {
  const PageWords& w = WordsFor(s.language());
  const Point origin = s.At("P3");
  Canvas c = PanelPlate();
  Pen pen(c, origin);
  pen.Heading({origin.x + 16, origin.y + 14}, w.lighting);
  struct Pair {
    const char* on;
    const char* off;
    const char* name;
    const char* on_text;
    const char* off_text;
  };
  const Pair pairs[] = {{"LEDOn", "LEDOff", w.led, w.on, w.off},
                        {"MCPIOn", "MCPIOff", w.m_switch, w.on, w.off},
                        {"LEDSwitchOn", "LEDSwitchOff", w.l_switch, w.on, w.off},
                        {"SaveKeyMode", "NoSaveKeyMode", w.start_mode, w.keep, w.reset}};
  for (const Pair& pair : pairs) {
    if (!s.Inside(pair.on)) continue;
    const Point on = s.At(pair.on);
    const Point off = s.At(pair.off);
    pen.Band(F(origin.x + 8), F(on.y - 6), F(off.x + 80 - origin.x - 8), 28);
    pen.Caption({origin.x + 16, on.y}, pair.name, kText, kRadioSize.h);
    OptionText(pen, on, pair.on_text);
    OptionText(pen, off, pair.off_text);
  }
  // right-hand column: brightness and the two profile colours
  const Point full = s.At("LED3Control");
  pen.Heading({full.x, full.y - 22}, w.brightness);
  OptionText(pen, full, w.full);
  OptionText(pen, s.At("LED6Control"), w.half);
  const Point colour_a = s.At("KeyMode1");
  pen.Heading({colour_a.x, colour_a.y - 22}, w.profile_colours);
  for (const auto& [prefix, text] : {std::pair{"KeyMode1", w.colour_a}, std::pair{"KeyMode2", w.colour_b}}) {
    const Point p = s.At(prefix);
    pen.Caption({p.x + kSwatchSize.w + 8, p.y}, text, kText, kSwatchSize.h);
  }
  // effects, step and LED count
  const Point mode1 = s.At("MCULEDMode1");
  pen.Heading({origin.x + 16, mode1.y - 22}, w.effect);
  for (int k = 1; k <= 7; ++k) {
    const std::string prefix = "MCULEDMode" + std::to_string(k);
    const std::string text = *w.mode ? std::string(w.mode) + " " + std::to_string(k) : std::to_string(k);
    OptionText(pen, s.At(prefix), text.c_str());
  }
  struct Bar {
    const char* prefix;
    int notches;
    const char* name;
  };
  for (const Bar& bar : {Bar{"MCULEDStep", 8, w.step}, Bar{"MCULEDNum", 10, w.led_count}}) {
    const Point p = s.At(bar.prefix);
    pen.Caption({origin.x + 16, p.y}, bar.name, kText, kSpeedNotchSize.h);
    const int width = RowWidth(s, bar.prefix, bar.notches, kSpeedNotchSize.w);
    c.Fill(RoundRect(pen.Local(F(p.x), F(p.y + kSpeedNotchSize.h + 4), F(width), 1), 0.5f), C(kLine));
  }
  // a light bar along the bottom: thirteen LEDs fading out of the accent
  const Rect strip = pen.Local(F(origin.x + 16), F(origin.y + kPanelSize.h - 54), kPanelSize.w - 32.0f, 22);
  c.Fill(RoundRect(strip, 11), C(kBase));
  c.Fill(InnerOutline(RoundRect(strip, 11), 1), C(kLine));
  for (int i = 0; i < 13; ++i) {
    const Vec led{strip.x + 24 + i * (strip.w - 48) / 12, strip.y + strip.h / 2};
    const float t = static_cast<float>(i) / 12.0f;
    const Colour lit = Mix(C(kAccent), C(kAccentDark), t);
    c.Glow(Circle(led, 3.5f), WithAlpha(lit, 0.6f * (1 - t)), 8);
    c.Fill(Circle(led, 3.5f), lit);
  }
  return c;
}

Canvas DrawMacroPanel(const SkinLayout& s) {
  const PageWords& w = WordsFor(s.language());
  const Point origin = s.At("P4");
  Canvas c = PanelPlate();
  Pen pen(c, origin);
  const Point library = s.At("PCMacroName");
  const int list_w = s.Get("PCMacroName_W"), list_h = s.Get("PCMacroName_H");
  pen.Heading({library.x, origin.y + 14}, w.library);
  pen.Well(F(library.x - 3), F(library.y - 3), F(list_w + 6), F(list_h + 6));
  const Point events = s.At("MacroContent");
  pen.Heading({events.x, origin.y + 14}, w.events);
  pen.Well(F(events.x - 3), F(events.y - 3), F(kEventListW + 6), F(list_h + 6));
  // the delay group, which the insert panel covers while an insertion runs
  const Point delay = s.At("RecDelay");
  const Point insert = s.At("Insert");
  pen.Heading({delay.x, origin.y + 14}, w.delay);
  const Rect group = pen.Local(F(insert.x), F(insert.y), kInsertPanelSize.w, kInsertPanelSize.h);
  c.Fill(Chamfered(group, 10, 0, 10, 0), C(kBody, 0.8f));
  c.Fill(InnerOutline(Chamfered(group, 10, 0, 10, 0), 1), C(kLine));
  const Point edit = s.At("DelayEdit");
  pen.Well(F(edit.x - 2), F(edit.y - 2), 56, kEditH + 4);
  const Point stop = s.At("ReleaseStop");
  pen.Heading({stop.x, stop.y - 22}, w.on_release);
  OptionText(pen, stop, w.release_stop);
  OptionText(pen, s.At("ReleaseContinue"), w.release_continue);
  return c;
}

}  // namespace zelko::skin
