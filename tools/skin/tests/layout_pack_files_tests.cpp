// The shipped layout packs org1..org3, read from the embedded resources as
// the window reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "resources/layout_pack.h"
#include "resources/resources.h"
#include "tools/skin/image_set.h"
#include "tools/skin/skin_layout.h"

namespace zelko::skin {
namespace {

struct Pack {
  std::vector<std::string> order;
  std::map<std::string, int> values;
  std::vector<std::string> malformed;
  std::string section;
  std::string text;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Pack format: one section, "key = value" lines, ';' comments, lines without
// '=' ignored, every value a decimal integer.
Pack ReadPack(const std::string& name) {
  Pack pack;
  const auto bytes = LookupResource(name);
  if (!bytes) {
    ADD_FAILURE() << name << " is not a resource";
    return pack;
  }
  pack.text.assign(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  std::string_view rest = pack.text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = Trim(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (line.starts_with('[') && line.ends_with(']')) pack.section = line.substr(1, line.size() - 2);
    const std::size_t eq = line.find('=');
    if (line.empty() || line.front() == ';' || eq == std::string_view::npos) continue;
    const std::string key(Trim(line.substr(0, eq)));
    const std::string_view value = Trim(line.substr(eq + 1));
    int number = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc{} || ptr != value.data() + value.size()) pack.malformed.push_back(key);
    EXPECT_FALSE(pack.values.contains(key)) << name << " repeats " << key;
    pack.order.push_back(key);
    pack.values[key] = number;
  }
  return pack;
}

// The key schema of the language-bound packs, family by family, written as
// prefixes with the suffixes the pack rules give them.
std::vector<std::string> SchemaKeys() {
  std::vector<std::string> keys;
  auto add = [&](const std::string& prefix, std::initializer_list<const char*> suffixes) {
    for (const char* s : suffixes) keys.push_back(prefix + s);
  };
  auto value = [&](const std::string& k) { keys.push_back(k); };
  auto colour = [&](const std::string& p) { add(p, {"_R", "_G", "_B"}); };
  auto place = [&](const std::string& p) { add(p, {"_X", "_Y"}); };
  auto button = [&](const std::string& p) { add(p, {"_Enable", "_X", "_Y"}); };
  auto row = [&](const std::string& p) { add(p, {"_X", "_Y", "_D"}); };
  value("Size_A");
  colour("Color_A");
  for (const char* b : {"Btn_A1", "Btn_A2", "Btn_A8", "Btn_A3", "Btn_A5", "Btn_A6", "Btn_A7", "Btn_A4"}) button(b);
  value("Size_B");
  colour("Color_B");
  value("Btn_Space_F");
  value("Btn_Space_B");
  for (const char* b : {"Btn_B1", "Btn_B2", "Btn_B4", "Btn_B5", "Btn_B11", "Btn_B6", "Btn_B7", "Btn_B8", "Btn_B9",
                        "Btn_B10"}) {
    button(b);
  }
  value("Size_C");
  colour("Color_C");
  place("P1");
  for (int k = 1; k <= 9; ++k) button("Key" + std::to_string(k));
  button("ComboKey1");
  button("ComboKey2");
  value("Size_G");
  for (const char* c : {"Color_G", "Color_G_Back", "Color_G_Border", "Color_G_SF", "Color_G_SP", "Color_M_IBG"}) {
    colour(c);
  }
  for (const char* w : {"M_L_W", "SP_L_W", "O_L_W"}) value(w);
  value("Size_D");
  for (const char* c : {"Color_D_Selected", "Color_D_notSelected", "Color_D_Back", "Color_D_Border"}) colour(c);
  place("P2");
  place("FKCnt");
  place("FKDelay");
  row("Spd");
  place("IsControl");
  row("DbSpd");
  row("ScrSpd");
  place("IsScreen");
  for (const char* part : {"_Color", "_Check", "", "_Value"}) {
    for (int n = 1; n <= 7; ++n) place("DPI" + std::to_string(n) + part);
  }
  for (int n = 1; n <= 7; ++n) row("DPI" + std::to_string(n) + "_Steps");
  place("AIMKey");
  place("AIMKey_Value");
  row("AIMKey_Steps");
  value("DPI_Count_Visible");
  place("DPI_Count");
  value("Size_E");
  colour("Color_E");
  place("P3");
  for (const char* p : {"LEDOn", "LEDOff", "MCPIOn", "MCPIOff", "LEDSwitchOn", "LEDSwitchOff", "SaveKeyMode",
                        "NoSaveKeyMode", "LED3Control", "LED6Control"}) {
    place(p);
  }
  for (int k = 1; k <= 7; ++k) place("MCULEDMode" + std::to_string(k));
  row("MCULEDStep");
  row("MCULEDNum");
  place("KeyMode1");
  place("KeyMode2");
  value("Size_F");
  for (const char* c : {"Color_F", "Color_F_LBack", "Color_F_LBorder", "Color_F_Font", "Color_F_Back"}) colour(c);
  place("P4");
  value("MacroNameHeight");
  add("PCMacroName", {"_X", "_Y", "_W", "_H"});
  place("MacroContent");
  place("BtnNew");
  place("BtnStart");
  place("DelayTime");
  add("RecDelay", {"_X", "_Y", "_W", "_H"});
  place("DelayEdit");
  place("ReleaseStop");
  place("ReleaseContinue");
  place("Insert");
  place("InsertList");
  add("InsertRecDelay", {"_X", "_Y", "_W", "_H"});
  for (const char* p : {"InsertDelayEdit", "InsertAxisEdit", "InsertBtnStart", "InsertBtnOK", "InsertBtnCancel"}) {
    place(p);
  }
  value("Size_K");
  colour("Color_K");
  colour("Color_K_AK");
  place("AKT");
  add("AKC", {"_X", "_Y", "_W"});
  for (const char* p : {"MK_C", "MK_S", "MK_A", "MK_W", "AK_Cfm", "AK_Clear", "AK_Close"}) place(p);
  value("Size_L");
  colour("Color_L");
  colour("Color_L_MN");
  place("MNT");
  add("MNC", {"_X", "_Y", "_W"});
  for (const char* p : {"MN_Cfm", "MN_Clear", "MN_Close", "NorLED_Tte", "NorLED_Col", "NorLED_Cfm", "NorLED_Clear",
                        "NorLED_Close"}) {
    place(p);
  }
  return keys;
}

class ShippedPack : public testing::TestWithParam<int> {
 protected:
  std::string Name() const { return "org" + std::to_string(GetParam()); }
};

TEST_P(ShippedPack, HoldsEveryKeyOfTheSchemaInOrderAndNothingElse) {
  const Pack pack = ReadPack(Name());
  EXPECT_EQ(Name(), pack.section);
  EXPECT_TRUE(pack.malformed.empty()) << pack.malformed.front();
  EXPECT_EQ(SchemaKeys(), pack.order);
  // and the program's own reader finds every one of them as a number
  const auto program_view = LoadLayoutPack(Name());
  ASSERT_TRUE(program_view.has_value());
  for (const std::string& key : SchemaKeys()) EXPECT_TRUE(program_view->Int(key).has_value()) << key;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

TEST_P(ShippedPack, IsWhatTheGeneratorWrites) {
  const std::string expected = PackText(BuildLayout(GetParam()));
  const std::string shipped = ReadPack(Name()).text;
  const auto want = Lines(expected);
  const auto have = Lines(shipped);
  for (std::size_t i = 0; i < std::min(want.size(), have.size()); ++i) {
    ASSERT_EQ(want[i], have[i]) << Name() << " line " << i + 1
                                << " differs; regenerate with skin_generator (tools/skin/README.md)";
  }
  EXPECT_EQ(want.size(), have.size()) << Name();
}

struct Box {
  std::string name;
  int x, y, w, h;
};

// The shown controls whose size the images fix, as the window places them.
std::vector<Box> ShownControls(const Pack& p) {
  std::vector<Box> boxes;
  auto at = [&](const std::string& prefix, ImageSize size) {
    boxes.push_back({prefix, p.values.at(prefix + "_X"), p.values.at(prefix + "_Y"), size.w, size.h});
  };
  auto button = [&](const std::string& prefix, ImageSize size) {
    if (p.values.at(prefix + "_Enable") == 1) at(prefix, size);
  };
  auto row = [&](const std::string& prefix, int count, ImageSize notch) {
    const int d = p.values.at(prefix + "_D");
    boxes.push_back({prefix, p.values.at(prefix + "_X"), p.values.at(prefix + "_Y"), count * notch.w + (count - 1) * d,
                     notch.h});
  };
  for (const char* b : {"Btn_A1", "Btn_A2", "Btn_A8", "Btn_A3", "Btn_A5", "Btn_A6"}) button(b, kActionSize);
  button("Btn_A7", kMinimiseSize);
  button("Btn_A4", kCloseSize);
  boxes.push_back({"Web", kWebX, kWebY, kWebSize.w, kWebSize.h});
  for (const char* b : {"Btn_B1", "Btn_B2", "Btn_B4", "Btn_B5", "Btn_B11", "Btn_B6", "Btn_B7", "Btn_B8", "Btn_B9",
                        "Btn_B10"}) {
    button(b, kTabSize);
  }
  for (int k = 1; k <= 9; ++k) button("Key" + std::to_string(k), kKeyFrameSize);
  for (int n = 1; n <= 7; ++n) {
    const std::string l = "DPI" + std::to_string(n);
    at(l + "_Check", kMarkerSize);
    at(l + "_Color", kSwatchSize);
    row(l + "_Steps", 11, kDpiNotchSize);
  }
  row("AIMKey_Steps", 11, kDpiNotchSize);
  for (const char* r : {"Spd", "DbSpd", "ScrSpd"}) row(r, 11, kSpeedNotchSize);
  row("MCULEDStep", 8, kSpeedNotchSize);
  row("MCULEDNum", 10, kSpeedNotchSize);
  for (const char* m : {"IsControl", "IsScreen"}) at(m, kMarkerSize);
  for (const char* r : {"LEDOn", "LEDOff", "MCPIOn", "MCPIOff", "LEDSwitchOn", "LEDSwitchOff", "SaveKeyMode",
                        "NoSaveKeyMode", "LED3Control", "LED6Control", "ReleaseStop", "ReleaseContinue"}) {
    at(r, kRadioSize);
  }
  for (int k = 1; k <= 7; ++k) at("MCULEDMode" + std::to_string(k), kRadioSize);
  for (const char* s : {"KeyMode1", "KeyMode2"}) at(s, kSwatchSize);
  for (const char* b : {"BtnNew", "BtnStart"}) at(b, kMacroButtonSize);
  at("Insert", kInsertPanelSize);
  boxes.push_back({"P1", p.values.at("P1_X"), p.values.at("P1_Y"), kPanelSize.w, kPanelSize.h});
  std::erase_if(boxes, [](const Box& b) { return b.x >= kOutside || b.y >= kOutside; });
  return boxes;
}

TEST_P(ShippedPack, ShownControlsLieInsideTheWindow) {
  for (const Box& b : ShownControls(ReadPack(Name()))) {
    EXPECT_GE(b.x, 0) << b.name;
    EXPECT_GE(b.y, 0) << b.name;
    EXPECT_LE(b.x + b.w, kBackgroundSize.w) << b.name;
    EXPECT_LE(b.y + b.h, kBackgroundSize.h) << b.name;
  }
}

TEST_P(ShippedPack, ButtonsTabsAndKeyFramesDoNotOverlap) {
  std::vector<Box> boxes = ShownControls(ReadPack(Name()));
  // the window's chrome and the main page's key frames
  std::erase_if(boxes, [](const Box& b) {
    const bool key_frame = b.name.size() == 4 && b.name.starts_with("Key");
    return !(b.name.starts_with("Btn_") || key_frame || b.name == "Web");
  });
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const Box& a = boxes[i];
      const Box& b = boxes[j];
      const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
  }
}

TEST_P(ShippedPack, DialogControlsLieInsideTheDialogBackground) {
  const Pack p = ReadPack(Name());
  for (const char* prefix : {"AK_Cfm", "AK_Clear", "MN_Cfm", "MN_Clear", "NorLED_Cfm", "NorLED_Clear"}) {
    EXPECT_LE(p.values.at(std::string(prefix) + "_X") + kActionSize.w, kDialogSize.w) << prefix;
    EXPECT_LE(p.values.at(std::string(prefix) + "_Y") + kActionSize.h, kDialogSize.h) << prefix;
  }
  for (const char* field : {"AKC", "MNC"}) {
    EXPECT_LE(p.values.at(std::string(field) + "_X") + p.values.at(std::string(field) + "_W"), kDialogSize.w);
  }
  // seven swatches, 20 pixels apart
  EXPECT_LE(p.values.at("NorLED_Col_X") + 7 * kSwatchSize.w + 6 * 20, kDialogSize.w);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedPack, testing::Values(1, 2, 3),
                         [](const auto& info) { return "org" + std::to_string(info.param); });

TEST(ShippedPacks, FirstPackHidesConfirmAndParksTheSeventhLevelAndAim) {
  const Pack org1 = ReadPack("org1");
  EXPECT_EQ(0, org1.values.at("Btn_A1_Enable"));
  EXPECT_EQ(1, org1.values.at("Btn_A3_Enable"));
  EXPECT_EQ(120, org1.values.at("Btn_A3_X"));
  EXPECT_EQ(600, org1.values.at("Btn_A3_Y"));
  EXPECT_EQ(8530, org1.values.at("DPI7_X"));
  EXPECT_EQ(8503, org1.values.at("AIMKey_X"));
  for (const char* key : {"DPI7_Check_X", "DPI7_Color_X", "DPI7_Value_X", "DPI7_Steps_X", "AIMKey_Value_X",
                          "AIMKey_Steps_X"}) {
    EXPECT_GE(org1.values.at(key), kOutside) << key;
  }
  const Pack org3 = ReadPack("org3");
  for (const char* key : {"DPI7_X", "AIMKey_X", "DPI7_Steps_X", "AIMKey_Steps_X"}) {
    EXPECT_LT(org3.values.at(key), kBackgroundSize.w) << key;
  }
}

}  // namespace
}  // namespace zelko::skin
