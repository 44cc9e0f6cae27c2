#include "tools/skin/skin_layout.h"

#include <cstdio>
#include <cstdlib>

#include "tools/skin/image_set.h"
#include "tools/skin/theme.h"

namespace zelko::skin {

int SkinLayout::Get(std::string_view key) const {
  if (auto v = Find(key)) return *v;
  std::fprintf(stderr, "skin layout %s has no key %.*s\n", SectionName().c_str(),
               static_cast<int>(key.size()), key.data());
  std::abort();
}

std::optional<int> SkinLayout::Find(std::string_view key) const {
  for (const PackLine& line : lines_) {
    if (!line.key.empty() && line.key == key) return line.value;
  }
  return std::nullopt;
}

Point SkinLayout::At(std::string_view prefix) const {
  const std::string p(prefix);
  return {Get(p + "_X"), Get(p + "_Y")};
}

bool SkinLayout::Inside(std::string_view prefix) const {
  const Point p = At(prefix);
  return p.x < kOutside && p.y < kOutside;
}

void SkinLayout::Separator(std::string text) { lines_.push_back({"", 0, std::move(text)}); }

void SkinLayout::Value(std::string key, int value) { lines_.push_back({std::move(key), value, ""}); }

void SkinLayout::Colour(const std::string& prefix, unsigned rgb) {
  Value(prefix + "_R", static_cast<int>((rgb >> 16) & 0xFF));
  Value(prefix + "_G", static_cast<int>((rgb >> 8) & 0xFF));
  Value(prefix + "_B", static_cast<int>(rgb & 0xFF));
}

void SkinLayout::Place(const std::string& prefix, Point p) {
  Value(prefix + "_X", p.x);
  Value(prefix + "_Y", p.y);
}

void SkinLayout::Button(const std::string& prefix, bool enabled, Point p) {
  Value(prefix + "_Enable", enabled ? 1 : 0);
  Place(prefix, p);
}

void SkinLayout::Row(const std::string& prefix, Point p, int gap) {
  Place(prefix, p);
  Value(prefix + "_D", gap);
}

namespace {

using namespace theme;

// Where the page panels sit; every panel image has kPanelSize.
constexpr Point kPanelOrigin{200, 72};
constexpr int kPanelLeft = kPanelOrigin.x + 16;  // left margin of panel content

// A parked position for a control this pack does not offer.
Point Parked(Point inside, int shift) { return {inside.x + shift, inside.y}; }

// Families A and B: the action bar at the bottom and the tab column on the left.
void ActionButtons(SkinLayout& s, int language) {
  const bool full_bar = language == 3;
  const int y = 600;
  const Point gone{8100, y};
  s.Separator("A: action buttons");
  s.Value("Size_A", language == 2 ? 10 : 9);
  s.Colour("Color_A", kText);
  // Confirm, Apply, Read on the right of the web button; the factory resets on the left.
  s.Button("Btn_A1", full_bar, full_bar ? Point{752, y} : gone);
  s.Button("Btn_A2", true, full_bar ? Point{622, y} : Point{752, y});
  s.Button("Btn_A8", true, full_bar ? Point{492, y} : Point{620, y});
  s.Button("Btn_A3", true, full_bar ? Point{20, y} : Point{120, y});
  s.Button("Btn_A5", full_bar, full_bar ? Point{150, y} : gone);
  s.Button("Btn_A6", full_bar, full_bar ? Point{280, y} : gone);
  s.Button("Btn_A7", true, {kBackgroundSize.w - 16 - kCloseSize.w - 8 - kMinimiseSize.w, 14});
  s.Button("Btn_A4", true, {kBackgroundSize.w - 16 - kCloseSize.w, 14});
}

void TabButtons(SkinLayout& s, int language) {
  s.Separator("B: page, profile and language buttons");
  s.Value("Size_B", language == 2 ? 10 : 9);
  s.Colour("Color_B", kText);
  s.Value("Btn_Space_F", 22);
  s.Value("Btn_Space_B", 10);
  constexpr int x = 16, step = kTabSize.h + 4;
  constexpr int pages = 90, files = 318, languages = 426;
  s.Button("Btn_B1", true, {x, pages});
  s.Button("Btn_B2", true, {x, pages + step});
  s.Button("Btn_B4", true, {x, pages + 2 * step});
  s.Button("Btn_B5", true, {x, pages + 3 * step});
  s.Button("Btn_B11", true, {x, pages + 4 * step});
  s.Button("Btn_B6", true, {x, files});
  s.Button("Btn_B7", true, {x, files + step});
  s.Button("Btn_B8", true, {x, languages});
  s.Button("Btn_B9", true, {x, languages + step});
  s.Button("Btn_B10", true, {x, languages + 2 * step});
}

// Family C: the nine key frames around the mouse picture, two columns.
void MainPage(SkinLayout& s, int language) {
  s.Separator("C: main page");
  s.Value("Size_C", language == 2 ? 10 : 9);
  s.Colour("Color_C", kText);
  s.Place("P1", kPanelOrigin);
  constexpr int left = kPanelLeft, right = kPanelOrigin.x + kPanelSize.w - 16 - kKeyFrameSize.w;
  // Frame centres; the panel draws a leader from each frame to its button.
  struct Frame {
    int column;
    int centre_y;
  };
  constexpr Frame kFrames[9] = {
      {left, 190},   // 1 left button
      {right, 150},  // 2 wheel
      {right, 206},  // 3 right button
      {left, 302},   // 4 backward
      {left, 246},   // 5 forward
      {right, 262},  // 6 DPI
      {right, 374},  // 7 behind DPI
      {left, 358},   // 8 lower side button
      {right, 318},  // 9 right side button
  };
  for (int k = 0; k < 9; ++k) {
    s.Button("Key" + std::to_string(k + 1), true,
             {kFrames[k].column, kFrames[k].centre_y - kKeyFrameSize.h / 2});
  }
  s.Button("ComboKey1", true, {left + 8, 488});
  s.Button("ComboKey2", true, {left + 8, 518});
}

// Family G: the assignment menus.
void AssignmentMenu(SkinLayout& s, int language) {
  s.Separator("G: assignment menu");
  s.Value("Size_G", language == 2 ? 10 : 9);
  s.Colour("Color_G", kText);
  s.Colour("Color_G_Back", kPanel);
  s.Colour("Color_G_Border", kLineHi);
  s.Colour("Color_G_SF", kBase);
  s.Colour("Color_G_SP", kAccent);
  s.Colour("Color_M_IBG", kAccentDark);
  s.Value("M_L_W", language == 3 ? 170 : 150);
  s.Value("SP_L_W", language == 3 ? 170 : 160);
  s.Value("O_L_W", 154);
}

// Family D: DPI levels, AIM, fire key, pointer speed bars.
void AdvancedPage(SkinLayout& s, int language) {
  const bool seven_levels = language != 1;  // the first pack offers six levels and no AIM
  s.Separator("D: advanced page");
  s.Value("Size_D", language == 2 ? 10 : 9);
  s.Colour("Color_D_Selected", kAccent);
  s.Colour("Color_D_notSelected", kTextDim);
  s.Colour("Color_D_Back", kBase);
  s.Colour("Color_D_Border", kLineHi);
  s.Place("P2", kPanelOrigin);
  constexpr int side = 716;  // right-hand column: fire key and level count
  s.Place("FKCnt", {side, 134});
  s.Place("FKDelay", {side, 192});
  constexpr int bar_x = 330, bar_gap = 6;
  s.Row("Spd", {bar_x, 420}, bar_gap);
  s.Place("IsControl", {646, 420});
  s.Row("DbSpd", {bar_x, 468}, bar_gap);
  s.Row("ScrSpd", {bar_x, 516}, bar_gap);
  s.Place("IsScreen", {646, 516});

  auto row_y = [](int level) { return 112 + (level - 1) * 32; };
  constexpr int check_x = kPanelLeft, name_x = 240, steps_x = 292, value_x = 588, colour_x = 648;
  constexpr int dpi7_shift = 8530 - name_x, aim_shift = 8503 - name_x;
  auto level_point = [&](int level, int x, int dy) {
    const Point p{x, row_y(level) + dy};
    return level == 7 && !seven_levels ? Parked(p, dpi7_shift) : p;
  };
  for (int n = 1; n <= 7; ++n)
    s.Place("DPI" + std::to_string(n) + "_Color", level_point(n, colour_x, 2));
  for (int n = 1; n <= 7; ++n)
    s.Place("DPI" + std::to_string(n) + "_Check", level_point(n, check_x, 4));
  for (int n = 1; n <= 7; ++n) s.Place("DPI" + std::to_string(n), level_point(n, name_x, 4));
  for (int n = 1; n <= 7; ++n)
    s.Place("DPI" + std::to_string(n) + "_Value", level_point(n, value_x, 4));
  for (int n = 1; n <= 7; ++n) {
    const Point p = level_point(n, steps_x, 4);
    s.Row("DPI" + std::to_string(n) + "_Steps", p, 4);
  }
  const int aim_y = row_y(7) + 46;
  auto aim_point = [&](int x) {
    const Point p{x, aim_y};
    return seven_levels ? p : Parked(p, aim_shift);
  };
  s.Place("AIMKey", aim_point(name_x));
  s.Place("AIMKey_Value", aim_point(value_x));
  s.Row("AIMKey_Steps", aim_point(steps_x), 4);
  s.Value("DPI_Count_Visible", 0);
  s.Place("DPI_Count", {side, 250});
}

// Family E: the light page.
void LightPage(SkinLayout& s, int language) {
  s.Separator("E: light page");
  s.Value("Size_E", language == 2 ? 9 : 8);
  s.Colour("Color_E", kTextDim);
  s.Place("P3", kPanelOrigin);
  constexpr int on_x = 400, off_x = 484;
  s.Place("LEDOn", {on_x, 114});
  s.Place("LEDOff", {off_x, 114});
  s.Place("MCPIOn", {on_x, 146});
  s.Place("MCPIOff", {off_x, 146});
  s.Place("LEDSwitchOn", {on_x, 178});
  s.Place("LEDSwitchOff", {off_x, 178});
  s.Place("SaveKeyMode", {on_x, 210});
  s.Place("NoSaveKeyMode", {off_x, 210});
  s.Place("LED3Control", {616, 114});
  s.Place("LED6Control", {700, 114});
  for (int k = 1; k <= 7; ++k) {
    s.Place("MCULEDMode" + std::to_string(k), {kPanelLeft + (k - 1) * 94, 290});
  }
  s.Row("MCULEDStep", {330, 348}, 18);
  s.Row("MCULEDNum", {330, 410}, 10);
  s.Place("KeyMode1", {616, 178});
  s.Place("KeyMode2", {744, 178});
}

// Family F: the macro page.
void MacroPage(SkinLayout& s, int language) {
  s.Separator("F: macro page");
  s.Value("Size_F", language == 2 ? 10 : 9);
  s.Colour("Color_F", kText);
  s.Colour("Color_F_LBack", kBase);
  s.Colour("Color_F_LBorder", kLine);
  s.Colour("Color_F_Font", kText);
  s.Colour("Color_F_Back", kRaised);
  s.Place("P4", kPanelOrigin);
  s.Value("MacroNameHeight", 20);
  constexpr int list_top = 106, list_h = 380;
  s.Place("PCMacroName", {kPanelLeft, list_top});
  s.Value("PCMacroName_W", 200);
  s.Value("PCMacroName_H", list_h);
  s.Place("MacroContent", {432, list_top});
  s.Place("BtnNew", {kPanelLeft + 40, 500});
  s.Place("BtnStart", {432 + 48, 500});
  constexpr int side = 664;
  s.Place("DelayTime", {side, 140});
  s.Place("RecDelay", {side, 112});
  s.Value("RecDelay_W", 190);
  s.Value("RecDelay_H", 20);
  s.Place("DelayEdit", {796, 138});
  s.Place("ReleaseStop", {side + 4, 232});
  s.Place("ReleaseContinue", {side + 4, 260});
  s.Place("Insert", {side, list_top});
  s.Place("InsertList", {side + 8, 118});
  s.Place("InsertRecDelay", {side + 8, 154});
  s.Value("InsertRecDelay_W", 180);
  s.Value("InsertRecDelay_H", 20);
  s.Place("InsertDelayEdit", {side + 96, 240});
  s.Place("InsertAxisEdit", {side + 96, 276});
  s.Place("InsertBtnStart", {side + (kInsertPanelSize.w - kMacroButtonSize.w) / 2, 380});
  s.Place("InsertBtnOK", {side + 8, 440});
  s.Place("InsertBtnCancel", {side + kInsertPanelSize.w - 8 - kPanelButtonSize.w, 440});
}

// Families K, L, M: the small dialogs on the "Msg" background.
void Dialogs(SkinLayout& s, int language) {
  const int size = language == 2 ? 10 : 9;
  const Point title{24, 17};
  const Point confirm{(kDialogSize.w - 2 * kActionSize.w - 20) / 2, 164};
  const Point clear{confirm.x + kActionSize.w + 20, confirm.y};
  const Point close{kDialogSize.w - 12 - kCloseSize.w, 12};
  const int field_w = kDialogSize.w - 80;
  s.Separator("K: combination key dialog");
  s.Value("Size_K", size);
  s.Colour("Color_K", kText);
  s.Colour("Color_K_AK", kAccent);
  s.Place("AKT", title);
  s.Place("AKC", {40, 66});
  s.Value("AKC_W", field_w);
  for (int i = 0; const char* box : {"MK_C", "MK_S", "MK_A", "MK_W"}) {
    s.Place(box, {56 + i++ * 88, 116});
  }
  s.Place("AK_Cfm", confirm);
  s.Place("AK_Clear", clear);
  s.Place("AK_Close", close);
  s.Separator("L: small input dialogs");
  s.Value("Size_L", size);
  s.Colour("Color_L", kText);
  s.Colour("Color_L_MN", kAccent);
  s.Place("MNT", title);
  s.Place("MNC", {40, 90});
  s.Value("MNC_W", field_w);
  s.Place("MN_Cfm", confirm);
  s.Place("MN_Clear", clear);
  s.Place("MN_Close", close);
  s.Separator("M: colour chooser");
  s.Place("NorLED_Tte", title);
  const int swatches = 7 * kSwatchSize.w + 6 * 20;
  s.Place("NorLED_Col", {(kDialogSize.w - swatches) / 2, 78});
  s.Place("NorLED_Cfm", confirm);
  s.Place("NorLED_Clear", clear);
  s.Place("NorLED_Close", close);
}

}  // namespace

SkinLayout BuildLayout(int language) {
  SkinLayout s(language);
  ActionButtons(s, language);
  TabButtons(s, language);
  MainPage(s, language);
  AssignmentMenu(s, language);
  AdvancedPage(s, language);
  LightPage(s, language);
  MacroPage(s, language);
  Dialogs(s, language);
  return s;
}

std::string PackText(const SkinLayout& layout) {
  std::string out = "[" + layout.SectionName() + "]\r\n";
  out += "; ZELKO77 layout pack " + std::to_string(layout.language()) +
         ": positions in pixels from the page's top-left corner,\r\n"
         "; colours as decimal R, G, B. Written by tools/skin (skin_generator).\r\n";
  for (const PackLine& line : layout.lines()) {
    if (line.key.empty()) {
      out += "//****************************************************************\r\n";
      out += "// " + line.text + "\r\n";
      out += "//****************************************************************\r\n";
    } else {
      out += line.key + " = " + std::to_string(line.value) + "\r\n";
    }
  }
  return out;
}

}  // namespace zelko::skin
