#include "tools/skin/preview.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "tools/skin/image_set.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/theme.h"

namespace zelko::skin {
namespace {

using namespace theme;

class Composer {
 public:
  Composer(Canvas& out, const ImageMap& images) : out_(out), images_(images) {}

  const Canvas& Image(const std::string& name) const { return images_.at(name); }
  void Put(const std::string& name, Point p) {
    if (p.x < kOutside && p.y < kOutside) out_.Draw(Image(name), p.x, p.y);
  }
  void Label(const std::string& image, Point p, const std::string& text, int indent = -1) {
    if (p.x >= kOutside || p.y >= kOutside) return;
    const Canvas& img = Image(image);
    const int w = TextWidth(text);
    const int x = indent < 0 ? p.x + (img.width() - w) / 2 : p.x + indent;
    DrawText(out_, x, p.y + (img.height() - kGlyphHeight) / 2, text, C(kText));
  }
  void Text(Point p, const std::string& text, unsigned rgb = kText) {
    if (p.x < kOutside && p.y < kOutside) DrawText(out_, p.x, p.y, text, C(rgb));
  }
  void Swatch(Point p, unsigned rgb) {
    if (p.x >= kOutside) return;
    out_.Fill(RoundRect({static_cast<float>(p.x), static_cast<float>(p.y), kSwatchSize.w, kSwatchSize.h}, 0), C(rgb));
    Put("Col_F", p);
  }
  void NotchRow(const SkinLayout& s, const std::string& prefix, int count, const std::string& notch,
                int lit, bool numbers, int first_number = 1) {
    const Point p = s.At(prefix);
    const int w = Image(notch + "_D").width();
    for (int k = 1; k <= count; ++k) {
      const Point at{p.x + (k - 1) * (w + s.Get(prefix + "_D")), p.y};
      Put(notch + (k == lit ? "_E" : "_D"), at);
      if (numbers) Text({at.x + 4, p.y + 24}, std::to_string(first_number + k - 1), kTextDim);
    }
  }

 private:
  Canvas& out_;
  const ImageMap& images_;
};

void Chrome(Composer& k, const SkinLayout& s, int page) {
  struct Action {
    const char* prefix;
    const char* caption;
  };
  for (const Action& a : {Action{"Btn_A1", "CONFIRM"}, Action{"Btn_A2", "APPLY"}, Action{"Btn_A8", "READ"},
                          Action{"Btn_A3", "RESET"}, Action{"Btn_A5", "CONFIRM 2"}, Action{"Btn_A6", "CONFIRM 3"}}) {
    if (!s.Enabled(a.prefix)) continue;
    const bool hovered = std::string(a.prefix) == "Btn_A2";
    k.Put(hovered ? "BtnS_02" : "BtnS_01", s.At(a.prefix));
    k.Label("BtnS_01", s.At(a.prefix), a.caption);
  }
  k.Put("MiniS_01", s.At("Btn_A7"));
  k.Put("ExitS_01", s.At("Btn_A4"));
  k.Put("WebS_01", {kWebX, kWebY});
  struct Tab {
    const char* prefix;
    const char* caption;
    bool active;
  };
  const Tab tabs[] = {{"Btn_B1", "PROFILE 1", page == 1}, {"Btn_B2", "PROFILE 2", false},
                      {"Btn_B4", "ADVANCED", page == 2},  {"Btn_B5", "LIGHT", page == 3},
                      {"Btn_B11", "MACRO", page >= 4},    {"Btn_B6", "SAVE PROFILE", false},
                      {"Btn_B7", "LOAD PROFILE", false},  {"Btn_B8", "ENGLISH", s.language() == 1},
                      {"Btn_B9", "CHINESE", s.language() == 2}, {"Btn_B10", "ENGLISH 2", s.language() == 3}};
  for (const Tab& t : tabs) {
    if (!s.Enabled(t.prefix)) continue;
    k.Put(t.active ? "SetS_03" : "SetS_01", s.At(t.prefix));
    k.Label("SetS_01", s.At(t.prefix), t.caption, s.Get("Btn_Space_F"));
  }
}

void MainControls(Composer& k, const SkinLayout& s) {
  const std::array<const char*, 9> captions = {"LEFT CLICK", "WHEEL CLICK", "RIGHT CLICK", "BACKWARD", "FORWARD",
                                               "DPI LOOP",   "FIRE KEY",    "WIN+D",       "PROFILE SWITCH"};
  for (int n = 1; n <= 9; ++n) {
    const std::string key = "Key" + std::to_string(n);
    if (!s.Enabled(key)) continue;
    k.Put(n == 2 ? "KeyS_02" : "KeyS_01", s.At(key));
    k.Label("KeyS_01", s.At(key), captions[static_cast<std::size_t>(n - 1)]);
  }
  for (const auto& [key, text] : {std::pair{"ComboKey1", "PRESS SCROLL WHEEL FOR 3 SEC. TO CHANGE PROFILE"},
                                  std::pair{"ComboKey2", "PRESS DPI FOR 3 SEC. TO CHANGE PROFILE"}}) {
    if (!s.Enabled(key)) continue;
    const Point p = s.At(key);
    k.Put(std::string(key) == "ComboKey1" ? "CbS_E" : "CbS_D", p);
    k.Text({p.x + 24, p.y + 4}, text);
  }
}

void AdvancedControls(Composer& k, const SkinLayout& s) {
  constexpr std::array<int, 7> values = {1, 4, 6, 7, 9, 10, 7};
  constexpr std::array<unsigned, 7> colours = {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  constexpr std::array<const char*, 11> dpi = {"500",  "800",  "1000", "1200", "1600", "2000",
                                               "2400", "3200", "4000", "4800", "6400"};
  for (int n = 1; n <= 7; ++n) {
    const std::string l = "DPI" + std::to_string(n);
    const auto i = static_cast<std::size_t>(n - 1);
    k.Put(n == 2 ? "CbS_E" : "CbS_D", s.At(l + "_Check"));
    k.Text({s.Get(l + "_X"), s.Get(l + "_Y") + 4}, l, kAccent);
    k.NotchRow(s, l + "_Steps", 11, "Bar2", values[i] + 1, false);
    k.Text({s.Get(l + "_Value_X"), s.Get(l + "_Value_Y") + 4}, dpi[static_cast<std::size_t>(values[i])], kTextDim);
    k.Swatch(s.At(l + "_Color"), colours[i]);
  }
  k.Text({s.Get("AIMKey_X"), s.Get("AIMKey_Y") + 4}, "AIM", kAccent);
  k.NotchRow(s, "AIMKey_Steps", 11, "Bar2", 1, false);
  k.Text({s.Get("AIMKey_Value_X"), s.Get("AIMKey_Value_Y") + 4}, "500", kTextDim);
  k.Text({s.Get("FKCnt_X") + 8, s.Get("FKCnt_Y") + 7}, "3");
  k.Text({s.Get("FKDelay_X") + 8, s.Get("FKDelay_Y") + 7}, "12");
  k.NotchRow(s, "Spd", 11, "Bar1", 6, true);
  k.NotchRow(s, "DbSpd", 11, "Bar1", 4, true);
  k.NotchRow(s, "ScrSpd", 11, "Bar1", 3, true);
  k.Put("CbS_E", s.At("IsControl"));
  k.Put("CbS_D", s.At("IsScreen"));
}

void LightControls(Composer& k, const SkinLayout& s) {
  for (const auto& [on, off] : {std::pair{"LEDOn", "LEDOff"}, std::pair{"MCPIOn", "MCPIOff"},
                                std::pair{"LEDSwitchOn", "LEDSwitchOff"}, std::pair{"SaveKeyMode", "NoSaveKeyMode"},
                                std::pair{"LED3Control", "LED6Control"}}) {
    k.Put("RdS_E", s.At(on));
    k.Put("RdS_D", s.At(off));
  }
  for (int m = 1; m <= 7; ++m) k.Put(m == 5 ? "RdS_E" : "RdS_D", s.At("MCULEDMode" + std::to_string(m)));
  k.NotchRow(s, "MCULEDStep", 8, "Bar1", 6, true);
  k.NotchRow(s, "MCULEDNum", 10, "Bar1", 7, true, 4);
  k.Swatch(s.At("KeyMode1"), 0x00D2FF);
  k.Swatch(s.At("KeyMode2"), 0xFF3B30);
}

void MacroControls(Composer& k, const SkinLayout& s) {
  k.Put("MacroS_01", s.At("BtnNew"));
  k.Label("MacroS_01", s.At("BtnNew"), "NEW MACRO");
  k.Put("MacroS_03", s.At("BtnStart"));
  k.Label("MacroS_01", s.At("BtnStart"), "STOP");
  const Point rec = s.At("RecDelay");
  const Point def = s.At("DelayTime");
  const Point none{def.x, def.y + (def.y - rec.y)};
  k.Put("RdS_E", rec);
  k.Text({rec.x + 22, rec.y + 4}, "RECORD DELAY");
  k.Put("RdS_D", def);
  k.Text({def.x + 22, def.y + 4}, "DEFAULT DELAY");
  k.Put("RdS_D", none);
  k.Text({none.x + 22, none.y + 4}, "NO DELAY");
  k.Text({s.Get("DelayEdit_X") + 8, s.Get("DelayEdit_Y") + 7}, "50");
  k.Put("RdS_E", s.At("ReleaseStop"));
  k.Put("RdS_D", s.At("ReleaseContinue"));
  const Point list = s.At("PCMacroName");
  const char* names[] = {"RAPID FIRE", "BUILD MODE", "COMBO 1"};
  for (int i = 0; i < 3; ++i) k.Text({list.x + 6, list.y + 6 + i * s.Get("MacroNameHeight")}, names[i]);
}

}  // namespace

Canvas ComposePreview(const SkinLayout& s, int page, const ImageMap& images) {
  Canvas out(kBackgroundSize.w, kBackgroundSize.h, Hex(0x404040));
  Composer k(out, images);
  const std::string lang = "L" + std::to_string(s.language()) + "_";
  k.Put(lang + "BackGround", {0, 0});
  const int panel = std::min(page, 4);
  k.Put(lang + "Back" + std::to_string(panel), s.At("P" + std::to_string(panel)));
  Chrome(k, s, page);
  switch (page) {
    case 1:
      MainControls(k, s);
      break;
    case 2:
      AdvancedControls(k, s);
      break;
    case 3:
      LightControls(k, s);
      break;
    case 4:
      MacroControls(k, s);
      break;
    default:
      MacroControls(k, s);
      k.Put("InsertKeyBase", s.At("Insert"));
      k.Put("MacroBtnS_01", s.At("InsertBtnOK"));
      k.Label("MacroBtnS_01", s.At("InsertBtnOK"), "OK");
      k.Put("MacroBtnS_02", s.At("InsertBtnCancel"));
      k.Label("MacroBtnS_01", s.At("InsertBtnCancel"), "CANCEL");
      k.Put("MacroS_01", s.At("InsertBtnStart"));
      k.Label("MacroS_01", s.At("InsertBtnStart"), "RECORD");
      break;
  }
  return out;
}

Canvas ComposeControlSheet(const ImageMap& images) {
  constexpr int kColumnWidth = 230, kColumns = 4, kPad = 14;
  std::vector<std::pair<std::string, const Canvas*>> shown;
  for (const auto& [name, canvas] : images) {
    if (canvas.width() <= kColumnWidth - 2 * kPad && canvas.height() <= 60) shown.emplace_back(name, &canvas);
  }
  const int rows = (static_cast<int>(shown.size()) + kColumns - 1) / kColumns;
  constexpr int kRowHeight = 80;
  Canvas out(kColumns * kColumnWidth, rows * kRowHeight + kPad, Hex(kPanel));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const int x = static_cast<int>(i % kColumns) * kColumnWidth + kPad;
    const int y = static_cast<int>(i / kColumns) * kRowHeight + kPad;
    DrawText(out, x, y, shown[i].first, C(kTextDim));
    out.Draw(*shown[i].second, x, y + 14);
  }
  return out;
}

Canvas ComposeDialogPreview(const SkinLayout& s, const ImageMap& images) {
  Canvas out(kDialogSize.w, kDialogSize.h, Hex(0x404040));
  Composer k(out, images);
  k.Put("Msg", {0, 0});
  k.Text(s.At("NorLED_Tte"), "PLEASE SELECT ONE COLOR");
  constexpr std::array<unsigned, 7> colours = {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  Point p = s.At("NorLED_Col");
  for (std::size_t i = 0; i < colours.size(); ++i) {
    k.Swatch(p, colours[i]);
    k.Put(i == 3 ? "CbS_E" : "CbS_D", {p.x + (kSwatchSize.w - kMarkerSize.w) / 2, p.y + kSwatchSize.h + 8});
    p.x += kSwatchSize.w + 20;
  }
  k.Put("BtnS_01", s.At("NorLED_Cfm"));
  k.Label("BtnS_01", s.At("NorLED_Cfm"), "OK");
  k.Put("BtnS_03", s.At("NorLED_Clear"));
  k.Label("BtnS_01", s.At("NorLED_Clear"), "RESET");
  k.Put("ExitS_02", s.At("NorLED_Close"));
  return out;
}

}  // namespace zelko::skin
