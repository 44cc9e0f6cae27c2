#include "pages/engineer_page_table.h"

#include <array>

#include "pages/dpi_page.h"
#include "pages/edit_rules.h"
#include "pages/page_navigation.h"
#include "settings/dpi_tables.h"

namespace zelko {

namespace {

using Kind = EngineerControlKind;
using Id = EngineerTermId;
using Row = EngineerControlRow;

constexpr int kRow = 22;  // height of a list, an edit or a caption
constexpr int kCommandLeft = 8;
constexpr int kCommandTop = 8;
constexpr int kCommandHeight = 28;
constexpr int kCommandMinWidth = 72;
constexpr int kKeyButtonWidth = 110;
constexpr int kKeyButtonStep = 114;
constexpr int kPairGroupWidth = 172;
constexpr int kPairGroupHeight = 46;

constexpr const char* kPage = "gbPage6";
constexpr const char* kOperatorTab = "ts_Operator";
constexpr const char* kEngineerTab = "ts_Engineer";

EngineerText T(Id id) { return {id, {}}; }
EngineerText Fixed(std::string text) { return {std::nullopt, std::move(text)}; }
std::string N(int n) { return std::to_string(n); }

constexpr const char* kChannelLetters[] = {"R", "G", "B"};
constexpr ColourChannel kChannels[] = {ColourChannel::kRed, ColourChannel::kGreen, ColourChannel::kBlue};

const std::string& ChannelText(const ColourEdits& edits, ColourChannel channel) {
  switch (channel) {
    case ColourChannel::kRed: return edits.r;
    case ColourChannel::kGreen: return edits.g;
    case ColourChannel::kBlue: break;
  }
  return edits.b;
}

const DpiLevelControls& Level(const EngineerPageModel& m, int n) {
  return m.controls().levels[static_cast<std::size_t>(n - 1)];
}

// Reads and writes by control kind.
Row::Read ListIndex(std::function<int(const EngineerControls&)> index) {
  return [index = std::move(index)](const EngineerPageModel& m) {
    EngineerControlValue value;
    value.index = index(m.controls());
    return value;
  };
}
Row::Read EditText(std::function<std::string(const EngineerPageModel&)> text) {
  return [text = std::move(text)](const EngineerPageModel& m) {
    EngineerControlValue value;
    value.text = text(m);
    return value;
  };
}
Row::Read CheckedState(std::function<std::optional<bool>(const EngineerPageModel&)> checked) {
  return [checked = std::move(checked)](const EngineerPageModel& m) {
    EngineerControlValue value;
    value.checked = checked(m);
    return value;
  };
}
Row::Write OnIndex(std::function<void(EngineerPageModel&, MouseSettings&, int)> select) {
  return [select = std::move(select)](EngineerPageModel& m, MouseSettings& s, const EngineerInput& input) {
    select(m, s, input.index);
    return EngineerWritten{};
  };
}
Row::Write OnText(std::function<std::string(EngineerPageModel&, MouseSettings&, std::string_view)> edit) {
  return [edit = std::move(edit)](EngineerPageModel& m, MouseSettings& s, const EngineerInput& input) {
    return EngineerWritten{edit(m, s, input.text), {}};
  };
}
Row::Write OnToggle(std::function<void(EngineerPageModel&, MouseSettings&, bool)> toggle) {
  return [toggle = std::move(toggle)](EngineerPageModel& m, MouseSettings& s, const EngineerInput& input) {
    toggle(m, s, input.on);
    return EngineerWritten{};
  };
}

// One button of a radio pair: shown checked by the pair's state (neither:
// left as it is), choosing its side when checked.
Row PairButton(std::string name, std::string group, ControlRect place, Id caption, EngineerHint hint,
               EngineerPair pair, Checked EngineerControls::*state, bool first) {
  Row row{.name = std::move(name), .kind = Kind::kRadio, .parent = std::move(group), .place = place,
          .caption = T(caption), .hint = hint};
  const ::zelko::Checked side = first ? ::zelko::Checked::First : ::zelko::Checked::Second;
  row.read = CheckedState([state, side](const EngineerPageModel& m) -> std::optional<bool> {
    const ::zelko::Checked checked = m.controls().*state;
    if (checked == ::zelko::Checked::Neither) return std::nullopt;
    return checked == side;
  });
  row.write = OnToggle([pair, first](EngineerPageModel& m, MouseSettings& s, bool on) {
    if (on) m.Choose(s, pair, first);
  });
  return row;
}

struct PairPlace {
  const char* group;
  int x;
  int y;
  Id title;
  EngineerPair pair;
  Checked EngineerControls::*state;
  const char* first;
  Id first_caption;
  EngineerHint first_hint;
  const char* second;
  Id second_caption;
  EngineerHint second_hint;
};

// What a pair's group adds: its own hint, the engineer-mode gate of the
// group and both buttons, and when the group shows.
struct PairGroup {
  EngineerHint hint{};
  EngineerGate gate = EngineerGate::kNone;
  Row::Rule shown{};
};

void AddPair(std::vector<Row>& rows, const PairPlace& p, const std::string& tab, ControlRect size, ControlRect first,
             ControlRect second, const PairGroup& extra = {}) {
  const EngineerGate gate = extra.gate;
  rows.push_back({.name = p.group, .kind = Kind::kGroup, .parent = tab, .place = {p.x, p.y, size.width, size.height},
                  .caption = T(p.title), .hint = extra.hint, .gate = gate, .shown = extra.shown});
  Row a = PairButton(p.first, p.group, first, p.first_caption, p.first_hint, p.pair, p.state, true);
  Row b = PairButton(p.second, p.group, second, p.second_caption, p.second_hint, p.pair, p.state, false);
  a.gate = gate;
  b.gate = gate;
  rows.push_back(std::move(a));
  rows.push_back(std::move(b));
}

Row Caption(const std::string& parent, ControlRect place, EngineerText text, std::string name = {}) {
  return {.name = std::move(name), .kind = Kind::kCaption, .parent = parent, .place = place, .caption = std::move(text)};
}

std::vector<EngineerText> Numbers(int first, int last) {
  std::vector<EngineerText> items;
  for (int n = first; n <= last; ++n) items.push_back(Fixed(N(n)));
  return items;
}

std::vector<EngineerText> DpiValueItems() {
  std::vector<EngineerText> items;
  for (int v = 0; v < kDpiValueCount; ++v) items.push_back(Fixed(DpiValueCaption(v)));
  return items;
}

std::vector<EngineerText> TermRun(Id first, int count) {
  std::vector<EngineerText> items;
  for (int i = 0; i < count; ++i) items.push_back(T(TermAfter(first, i)));
  return items;
}

void AddCommands(std::vector<Row>& rows) {
  struct Command {
    const char* name;
    EngineerCommand command;
    Id caption;
    EngineerHint hint;
  };
  // The page buttons share the skinned pages' handlers.
  using C = EngineerCommand;
  const Command commands[] = {
      {"Btn_Main_6", C::kModeA, Id::kModeA, {}},
      {"Btn_Second_6", C::kModeB, Id::kModeB, {}},
      {"Btn_Adv_6", C::kAdvanced, Id::kAdvanced, {}},
      {"Btn_Breath_6", C::kBreathingLight, Id::kBreathingLight, {}},
      {"Btn_Macro_6", C::kMacro, Id::kMacro, {}},
      {"Btn_Engineer_6", C::kEngineer, Id::kEngineerMode, {}},
      {"Btn_Load_6", C::kLoadProfile, Id::kLoad,
       {"Load a profile file (.bin) and write it into the mouse.", "载入配置文件（.bin）并写入鼠标。"}},
      {"Btn_Save_6", C::kSaveProfile, Id::kSave,
       {"Read the mouse again and save its whole memory as a profile file (.bin).",
        "重新读取鼠标，并把全部参数保存为配置文件（.bin）。"}},
      {"Btn_Default", C::kDefault, Id::kDefault,
       {"Write the built-in defaults into the mouse: buttons, DPI, lighting; macros are cleared.",
        "把内置默认参数写入鼠标：按键、DPI、灯光；宏被清空。"}},
      {"Btn_ImportBaseMacro", C::kImportBaseMacro, Id::kImportBaseMacro,
       {"Import the seven device macros from a file.", "从文件导入七个设备宏。"}},
      {"btn_Write", C::kApply, Id::kApply, {"Write every setting of this page into the mouse.", "把本页的全部设置写入鼠标。"}},
      {"btn_TestKeys", C::kTestKeys, Id::kTestKeysPosition,
       {"Within 5 seconds after the click, any pressed mouse button makes its position flash here.",
        "点击后5秒内，按下鼠标任意按键，对应的按键位置会闪烁。"}},
  };
  for (const Command& command : commands) {
    Row row{.name = command.name, .kind = Kind::kCommand, .place = {kCommandLeft, kCommandTop, kCommandMinWidth, kCommandHeight},
            .caption = T(command.caption), .hint = command.hint, .command = command.command};
    // The Engineer button is made hidden, as on the skinned pages.
    row.starts_hidden = command.command == C::kEngineer;
    if (command.command == C::kDefault) row.gate = EngineerGate::kDefaultButton;
    rows.push_back(std::move(row));
  }
}

void AddDpiLevels(std::vector<Row>& rows, const std::string& tab) {
  const std::string cpi = "gbCPI";
  rows.push_back({.name = cpi, .kind = Kind::kGroup, .parent = tab, .place = {8, 8, 336, 272}, .caption = T(Id::kCpi)});
  rows.push_back(Caption(cpi, {10, 20, 74, kRow}, T(Id::kCpiSteps)));
  rows.push_back({.name = "cb_CPIStep", .kind = Kind::kList, .parent = cpi, .place = {86, 20, 56, kRow},
                  .hint = {"How many DPI levels the DPI key cycles through (2 to 7).", "DPI键循环的档位数（2至7）。"},
                  .items = Numbers(kMinDpiLevels, kMaxDpiLevels),
                  .read = ListIndex([](const EngineerControls& c) { return c.level_count_index; }),
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectLevelCount(s, i); })});
  rows.push_back(Caption(cpi, {160, 20, 84, kRow}, T(Id::kCurrentCpi)));
  rows.push_back({.name = "cb_CurrentCPI", .kind = Kind::kList, .parent = cpi, .place = {246, 20, 56, kRow},
                  .hint = {"The DPI level the mouse starts with.", "鼠标当前使用的DPI档位。"},
                  .read = [](const EngineerPageModel& m) {
                    EngineerControlValue value;
                    value.index = m.controls().current_level_index;
                    value.items = Numbers(1, m.controls().current_level_items);
                    return value;
                  },
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectCurrentLevel(s, i); })});
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const int y = 22 + n * 27;
    const auto levelShown = [n](const EngineerPageModel& m) { return Level(m, n).shown; };
    Row label = Caption(cpi, {10, y, 74, kRow}, T(TermAfter(Id::kCpi1, n - 1)), "lbl_CPI" + N(n));
    label.shown = levelShown;
    rows.push_back(std::move(label));
    rows.push_back({.name = "cb_CPI" + N(n), .kind = Kind::kList, .parent = cpi, .place = {86, y, 76, kRow},
                    .hint = {"The DPI value of this level.", "该档位的DPI值。"},
                    .items = DpiValueItems(),
                    .read = ListIndex([n](const EngineerControls& c) { return c.levels[static_cast<std::size_t>(n - 1)].value_index; }),
                    .write = OnIndex([n](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectLevelValue(s, n, i); }),
                    .shown = levelShown});
    rows.push_back({.name = "cb_CPI" + N(n) + "Color", .kind = Kind::kList, .parent = cpi, .place = {170, y, 96, kRow},
                    .hint = {"The colour the normal LED shows at this level.", "普通LED在该档位显示的颜色。"},
                    .items = TermRun(Id::kRed, kPaletteSize),
                    .read = ListIndex([n](const EngineerControls& c) { return c.levels[static_cast<std::size_t>(n - 1)].palette_index; }),
                    .write = OnIndex([n](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectLevelPalette(s, n, i); }),
                    .shown = [n](const EngineerPageModel& m) { return Level(m, n).shown && m.layout().level_palette; }});
    for (int c = 0; c < 3; ++c) {
      const ColourChannel channel = kChannels[c];
      rows.push_back({.name = "edt_CPI" + N(n) + kChannelLetters[c], .kind = Kind::kEdit, .parent = cpi,
                      .place = {170 + c * 46, y, 42, kRow},
                      .hint = {"Red, green and blue (0 to 255) of the MCU LED at this level.", "该档位MCU LED的红、绿、蓝（0至255）。"},
                      .max_length = 3,
                      .read = EditText([n, channel](const EngineerPageModel& m) { return ChannelText(Level(m, n).colour, channel); }),
                      .write = OnText([n, channel](EngineerPageModel& m, MouseSettings& s, std::string_view text) {
                        return m.EditLevelColour(s, n, channel, text);
                      }),
                      .shown = [n](const EngineerPageModel& m) { return Level(m, n).shown && m.layout().level_rgb; }});
    }
  }
  rows.push_back(Caption(cpi, {10, 238, 74, kRow}, T(Id::kAimKey)));
  rows.push_back({.name = "cb_AIMKeyValue", .kind = Kind::kList, .parent = cpi, .place = {86, 238, 76, kRow},
                  .hint = {"The DPI value while the AIM button is held.", "按住AIM键时使用的DPI值。"},
                  .items = DpiValueItems(),
                  .read = ListIndex([](const EngineerControls& c) { return c.aim_value_index; }),
                  .write = [](EngineerPageModel& m, MouseSettings& s, const EngineerInput& input) {
                    const AimChange change = m.SelectAimValue(s, input.index);
                    return EngineerWritten{{}, change.no_aim_button ? std::string(change.message) : std::string()};
                  }});
}

void AddFire(std::vector<Row>& rows, const std::string& tab) {
  const std::string fire = "gbFire";
  rows.push_back({.name = fire, .kind = Kind::kGroup, .parent = tab, .place = {8, 288, 336, 52}, .caption = T(Id::kFireMode)});
  rows.push_back(Caption(fire, {10, 20, 74, kRow}, T(Id::kFireCount)));
  rows.push_back({.name = "cb_FireCount", .kind = Kind::kList, .parent = fire, .place = {86, 20, 56, kRow},
                  .hint = {"How many clicks one press of the fire button sends (2 to 127).", "连发键按一次发送的点击次数（2至127）。"},
                  .items = Numbers(kMinFireRepeatCount, kMaxFireRepeatCount),
                  .read = ListIndex([](const EngineerControls& c) { return c.fire_count_index; }),
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { m.SelectFireCount(s, i); })});
  rows.push_back(Caption(fire, {160, 20, 70, kRow}, T(Id::kFireTime)));
  rows.push_back({.name = "edt_FireTime", .kind = Kind::kEdit, .parent = fire, .place = {232, 20, 44, kRow},
                  .hint = {"Pause after each fire click, in steps of 8 ms (0 to 255).", "每次连发点击后的间隔，单位8毫秒（0至255）。"},
                  .max_length = 3,
                  .read = EditText([](const EngineerPageModel& m) { return m.controls().fire_time; }),
                  .write = OnText([](EngineerPageModel& m, MouseSettings& s, std::string_view t) { return m.EditFireTime(s, t); })});
  rows.push_back(Caption(fire, {280, 20, 50, kRow}, Fixed("(*8ms)")));
}

void AddRadioPairs(std::vector<Row>& rows, const std::string& tab) {
  const ControlRect size{0, 0, kPairGroupWidth, kPairGroupHeight};
  const ControlRect first{8, 20, 80, 20};
  const ControlRect second{90, 20, 80, 20};
  AddPair(rows,
          {"gbLEDType", 352, 8, Id::kLedType, EngineerPair::kLedType, &EngineerControls::led_type, "rb_NorLED", Id::kNorLed,
           {"A normal LED that breathes in the colour of the DPI level.", "普通LED，以DPI档位颜色呼吸。"}, "rb_MCULED",
           Id::kMcuLed, {"An MCU-driven LED strip with seven modes.", "MCU驱动的LED灯条，共七种模式。"}},
          tab, size, first, second,
          {.hint = {"The kind of LED the mouse has; changeable in engineer mode only.", "鼠标的LED类型；仅工程模式下可更改。"},
           .gate = EngineerGate::kLedType});
  AddPair(rows,
          {"gbLEDStatus", 528, 8, Id::kLedStatus, EngineerPair::kLedStatus, &EngineerControls::led_status, "rb_LEDOn", Id::kOn,
           {"The LED lights.", "LED点亮。"}, "rb_LEDOff", Id::kOff, {"The LED stays dark.", "LED熄灭。"}},
          tab, size, first, second);
  AddPair(rows,
          {"gbMCPISwitch", 352, 60, Id::kLedSwitch, EngineerPair::kMcpiSwitch, &EngineerControls::mcpi_switch, "rb_MCPIOn",
           Id::kOn, {"M + CPI switches the LED on and off.", "M + CPI 可开关LED。"}, "rb_MCPIOff", Id::kOff,
           {"M + CPI does not switch the LED.", "M + CPI 不开关LED。"}},
          tab, size, first, second);
  AddPair(rows,
          {"gbLCPISwitch", 528, 60, Id::kLedMode, EngineerPair::kLcpiSwitch, &EngineerControls::lcpi_switch, "rb_LCPIOn",
           Id::kOn, {"L + CPI switches the MCU LED mode.", "L + CPI 切换MCU LED模式。"}, "rb_LCPIOff", Id::kOff,
           {"L + CPI does not switch the MCU LED mode.", "L + CPI 不切换MCU LED模式。"}},
          tab, size, first, second);
  AddPair(rows,
          {"gbSaveKeyMode", 352, 112, Id::kIsSaveKeyMode, EngineerPair::kKeyModeSaving, &EngineerControls::key_mode_saving,
           "rb_Save", Id::kSaveChoice, {"The mouse keeps its key mode when unplugged.", "拔出后鼠标保存按键模式。"},
           "rb_NoSave", Id::kNoSave, {"The mouse starts in key mode A every time.", "鼠标每次都以模式A启动。"}},
          tab, size, first, second);
  AddPair(rows,
          {"gbMCULEDLight", 528, 112, Id::kMcuLedLightMode, EngineerPair::kBrightness, &EngineerControls::brightness,
           "rb_MCULED3Control", Id::kAllLight, {"All LEDs of the strip light.", "灯条全部LED点亮。"}, "rb_MCULED6Control",
           Id::kHalfLight, {"Half of the LEDs of the strip light.", "灯条一半LED点亮。"}},
          tab, size, first, second, {.shown = [](const EngineerPageModel& m) { return m.layout().brightness; }});
}

void AddLighting(std::vector<Row>& rows, const std::string& tab) {
  const auto currentModeAndStep = [](const EngineerPageModel& m) { return m.layout().current_mode_and_step; };
  const auto breathRate = [](const EngineerPageModel& m) { return m.layout().breath_rate; };

  // MCU LED settings, or in their place the normal LED's.
  const std::string mcu = "gbMCULEDSetting";
  rows.push_back({.name = mcu, .kind = Kind::kGroup, .parent = tab, .place = {352, 164, 344, 112},
                  .caption = T(Id::kMcuLedSetting), .shown = currentModeAndStep});
  rows.push_back(Caption(mcu, {10, 20, 96, kRow}, T(Id::kLedNumber)));
  rows.push_back({.name = "edt_MCULEDNum", .kind = Kind::kEdit, .parent = mcu, .place = {108, 20, 44, kRow},
                  .hint = {"How many LEDs the strip has (4 to 13).", "灯条的LED数量（4至13）。"},
                  .max_length = 2,
                  .read = EditText([](const EngineerPageModel& m) { return m.controls().led_count; }),
                  .write = OnText([](EngineerPageModel& m, MouseSettings& s, std::string_view t) { return m.EditLedCount(s, t); }),
                  .leave = OnText([](EngineerPageModel& m, MouseSettings& s, std::string_view t) { return m.LeaveLedCount(s, t); })});
  rows.push_back(Caption(mcu, {10, 48, 96, kRow}, T(Id::kCurrentMode)));
  rows.push_back({.name = "cb_MCULEDCurrentMode", .kind = Kind::kList, .parent = mcu, .place = {108, 48, 110, kRow},
                  .hint = {"The MCU LED mode the mouse shows now.", "鼠标当前的MCU LED模式。"},
                  .read = [](const EngineerPageModel& m) {
                    EngineerControlValue value;
                    value.index = m.controls().current_mode_index;
                    std::vector<EngineerText> items;
                    for (int k = 1; k <= kMcuLedModeCount; ++k) {
                      const std::string& item = m.controls().current_mode_items[static_cast<std::size_t>(k - 1)];
                      // The offered modes by their names in the page's terms.
                      items.push_back(item.empty() || item == kModeNotOffered ? Fixed(std::string(kModeNotOffered))
                                                                              : T(TermAfter(Id::kMode1, k - 1)));
                    }
                    value.items = std::move(items);
                    return value;
                  },
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectCurrentMode(s, i); })});
  rows.push_back(Caption(mcu, {10, 76, 96, kRow}, T(Id::kLedStep)));
  rows.push_back({.name = "edt_MCULEDCrtStep", .kind = Kind::kEdit, .parent = mcu, .place = {108, 76, 44, kRow},
                  .hint = {"The speed step of the MCU LED mode (0 to 7).", "MCU LED模式的速度级别（0至7）。"},
                  .max_length = 1,
                  .read = EditText([](const EngineerPageModel& m) { return m.controls().mcu_step; }),
                  .write = OnText([](EngineerPageModel& m, MouseSettings& s, std::string_view t) { return m.EditMcuStep(s, t); })});

  const std::string breath = "gbNorLEDBreath";
  rows.push_back({.name = breath, .kind = Kind::kGroup, .parent = tab, .place = {352, 164, 344, 52},
                  .caption = T(Id::kNorLedBreathSetting), .shown = breathRate});
  rows.push_back(Caption(breath, {10, 20, 96, kRow}, T(Id::kBreathStep)));
  rows.push_back({.name = "edt_NorLEDStep", .kind = Kind::kEdit, .parent = breath, .place = {108, 20, 44, kRow},
                  .hint = {"Breathing rate of the normal LED, in milliseconds per step (0 to 255).", "普通LED呼吸速率，单位毫秒（0至255）。"},
                  .max_length = 3,
                  .read = EditText([](const EngineerPageModel& m) { return m.controls().breath_step; }),
                  .write = OnText([](EngineerPageModel& m, MouseSettings& s, std::string_view t) { return m.EditBreathStep(s, t); })});
  rows.push_back(Caption(breath, {156, 20, 60, kRow}, Fixed("(*1ms)")));

  const std::string normalMode = "gbNorLEDMode";
  rows.push_back({.name = normalMode, .kind = Kind::kGroup, .parent = tab, .place = {352, 224, 344, 52},
                  .caption = T(Id::kNorLedMode), .shown = breathRate});
  rows.push_back({.name = "rb_NorLEDCPI", .kind = Kind::kRadio, .parent = normalMode, .place = {10, 20, 160, 20},
                  .caption = T(Id::kCpiBreath),
                  .hint = {"The normal LED breathes in the colour of the current DPI level.", "普通LED以当前DPI档位颜色呼吸。"},
                  .read = CheckedState([](const EngineerPageModel& m) { return m.controls().normal_led_cpi_breath; }),
                  .write = OnToggle([](EngineerPageModel& m, MouseSettings& s, bool on) {
                    if (on) m.ChooseCpiBreath(s);
                  })});

  // Key-mode colours; mode 1's only where the LED type has them.
  const std::string colour = "gbKeyModeColor";
  rows.push_back({.name = colour, .kind = Kind::kGroup, .parent = tab, .place = {704, 8, 344, 80},
                  .caption = T(Id::kKeyModeColourSetting)});
  for (int mode = 1; mode <= 2; ++mode) {
    Row::Rule shown;
    if (mode == 1) shown = [](const EngineerPageModel& m) { return m.layout().key_mode1_colour; };
    for (int c = 0; c < 3; ++c) {
      const int x = 10 + c * 110;
      const int y = 20 + (mode - 1) * 28;
      const ColourChannel channel = kChannels[c];
      const std::string stem = N(mode) + kChannelLetters[c];
      Row label = Caption(colour, {x, y, 62, kRow}, T(TermAfter(Id::kMode1Red, (mode - 1) * 3 + c)), "lbl_KeyMode" + stem);
      label.shown = shown;
      rows.push_back(std::move(label));
      rows.push_back({.name = "edt_KeyMode" + stem, .kind = Kind::kEdit, .parent = colour, .place = {x + 62, y, 40, kRow},
                      .hint = {"Red, green and blue (0 to 255) the LED flashes when the key mode changes.",
                               "切换按键模式时LED闪烁的红、绿、蓝（0至255）。"},
                      .max_length = 3,
                      .read = EditText([mode, channel](const EngineerPageModel& m) {
                        return ChannelText(mode == 1 ? m.controls().key_mode1_colour : m.controls().key_mode2_colour, channel);
                      }),
                      .write = OnText([mode, channel](EngineerPageModel& m, MouseSettings& s, std::string_view text) {
                        return m.EditKeyModeColour(s, mode, channel, text);
                      }),
                      .shown = shown});
    }
  }
}

void AddKeyModeOptions(std::vector<Row>& rows, const std::string& tab) {
  // Long presses that switch the key mode.
  const std::string press = "gbSwitchKeyMode";
  rows.push_back({.name = press, .kind = Kind::kGroup, .parent = tab, .place = {704, 96, 344, 74},
                  .caption = T(Id::kSwitchKeyMode)});
  struct LongPress {
    const char* name;
    ControlRect place;
    Id caption;
    LongPressKey key;
    EngineerHint hint;
  };
  const LongPress presses[] = {
      {"cb_MidPress", {10, 20, 160, 20}, Id::kPressMiddleKey, LongPressKey::kMiddle,
       {"Holding the wheel button for 3 seconds switches the key mode.", "长按滚轮键3秒切换按键模式。"}},
      {"cb_CPIPress", {176, 20, 160, 20}, Id::kPressCpiKey, LongPressKey::kCpi,
       {"Holding the DPI button for 3 seconds switches the key mode.", "长按DPI键3秒切换按键模式。"}},
      {"cb_GunPress", {10, 46, 160, 20}, Id::kPressGunKey, LongPressKey::kGun,
       {"Holding the gun button for 3 seconds switches the key mode.", "长按枪键3秒切换按键模式。"}},
  };
  for (const LongPress& p : presses) {
    const LongPressKey key = p.key;
    rows.push_back({.name = p.name, .kind = Kind::kCheck, .parent = press, .place = p.place, .caption = T(p.caption),
                    .hint = p.hint,
                    .read = CheckedState([key](const EngineerPageModel& m) -> std::optional<bool> {
                      switch (key) {
                        case LongPressKey::kMiddle: return m.controls().middle_long_press;
                        case LongPressKey::kCpi: return m.controls().cpi_long_press;
                        case LongPressKey::kGun: break;
                      }
                      return m.gunLongPress();
                    }),
                    .write = OnToggle([key](EngineerPageModel& m, MouseSettings& s, bool on) { m.SetLongPress(s, key, on); })});
  }

  // Orientation, key mode, identity codes.
  const std::string options = "gbOptions";
  rows.push_back({.name = options, .kind = Kind::kGroup, .parent = tab, .place = {704, 178, 344, 162}});
  Row orientationLabel = Caption(options, {10, 16, 96, kRow}, T(Id::kSensorOri), "lbl_SensorOri");
  orientationLabel.gate = EngineerGate::kSensorOrientation;
  rows.push_back(std::move(orientationLabel));
  rows.push_back({.name = "cb_SensorOri", .kind = Kind::kList, .parent = options, .place = {108, 16, 190, kRow},
                  .hint = {"How the sensor is mounted; changeable in engineer mode only.", "传感器安装方向；仅工程模式下可更改。"},
                  .items = TermRun(Id::kOrientation0, static_cast<int>(kSensorOrientations.size())),
                  .gate = EngineerGate::kSensorOrientation,
                  .read = ListIndex([](const EngineerControls& c) { return c.sensor_orientation_index; }),
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectSensorOrientation(s, i); })});
  rows.push_back(Caption(options, {10, 50, 96, kRow}, T(Id::kKeyMode)));
  rows.push_back({.name = "cb_KeyMode", .kind = Kind::kList, .parent = options, .place = {108, 50, 110, kRow},
                  .hint = {"The key mode the mouse uses: A (Profile 1) or B (Profile 2).", "鼠标使用的按键模式：A或B。"},
                  .items = {T(Id::kKeyModeA), T(Id::kKeyModeB)},
                  .read = ListIndex([](const EngineerControls& c) { return c.key_mode_index; }),
                  .write = OnIndex([](EngineerPageModel& m, MouseSettings& s, int i) { (void)m.SelectKeyMode(s, i); }),
                  .enabled = [](const EngineerPageModel& m) { return m.controls().key_mode_enabled; }});
  struct Identity {
    const char* name;
    int y;
    Id caption;
    IdentityCode code;
    EngineerHint hint;
  };
  const Identity identities[] = {
      {"edt_VendorID", 84, Id::kVendorId, IdentityCode::kVendor,
       {"The vendor code written into the mouse (0 to 255; 255 is generic).", "写入鼠标的厂商代码（0至255；255为通用）。"}},
      {"edt_ProductID", 118, Id::kProductId, IdentityCode::kProduct,
       {"The product code written into the mouse (0 to 255; 255 is generic).", "写入鼠标的产品代码（0至255；255为通用）。"}},
  };
  for (const Identity& identity : identities) {
    const IdentityCode code = identity.code;
    rows.push_back(Caption(options, {10, identity.y, 96, kRow}, T(identity.caption)));
    rows.push_back({.name = identity.name, .kind = Kind::kEdit, .parent = options, .place = {108, identity.y, 56, kRow},
                    .hint = identity.hint,
                    .max_length = static_cast<int>(kIdentityEditLength),
                    .read = EditText([code](const EngineerPageModel& m) {
                      return code == IdentityCode::kVendor ? m.controls().vendor_code : m.controls().product_code;
                    }),
                    .write = OnText([code](EngineerPageModel& m, MouseSettings& s, std::string_view t) {
                      return m.EditIdentity(s, code, t);
                    })});
  }
}

void AddKeySelectors(std::vector<Row>& rows, const std::string& tab) {
  for (int profile = 1; profile <= 2; ++profile) {
    const std::string group = std::string("gbKeyMode") + (profile == 1 ? "A" : "B");
    rows.push_back({.name = group, .kind = Kind::kGroup, .parent = tab, .place = {8, 348 + (profile - 1) * 66, 1040, 60},
                    .caption = T(profile == 1 ? Id::kKeyModeA : Id::kKeyModeB)});
    const EngineerHint hint = profile == 1 ? EngineerHint{"Mode A: click to choose what this mouse button does.",
                                                          "模式A：点击选择该鼠标按键的功能。"}
                                           : EngineerHint{"Mode B: click to choose what this mouse button does.",
                                                          "模式B：点击选择该鼠标按键的功能。"};
    for (int n = 1; n <= static_cast<int>(kButtonCount); ++n) {
      const int number = profile * 100 + n;
      rows.push_back({.name = "btn_Key" + N(number), .kind = Kind::kKeySelector, .parent = group,
                      .place = {10 + (n - 1) * kKeyButtonStep, 22, kKeyButtonWidth, 28}, .hint = hint, .selector = number});
    }
  }
}

void AddEngineerTab(std::vector<Row>& rows, const std::string& tab) {
  const std::string read = "gbIdentityRead";
  rows.push_back({.name = read, .kind = Kind::kGroup, .parent = tab, .place = {8, 8, 336, 84}});
  struct Reported {
    const char* name;
    int y;
    Id caption;
    bool vendor;
    EngineerHint hint;
  };
  const Reported reported[] = {
      {"edt_VendorID_Rd", 18, Id::kVendorId, true,
       {"The vendor code the mouse reported when it was read.", "读取时鼠标报告的厂商代码。"}},
      {"edt_ProductID_Rd", 50, Id::kProductId, false,
       {"The product code the mouse reported when it was read.", "读取时鼠标报告的产品代码。"}},
  };
  for (const Reported& r : reported) {
    const bool vendor = r.vendor;
    rows.push_back(Caption(read, {10, r.y, 96, kRow}, T(r.caption)));
    rows.push_back({.name = r.name, .kind = Kind::kReadOnlyEdit, .parent = read, .place = {108, r.y, 56, kRow},
                    .hint = r.hint,
                    .read = EditText([vendor](const EngineerPageModel& m) {
                      const auto& codes = m.readIdentity();
                      if (!codes) return std::string();
                      return std::to_string(vendor ? codes->manufacturer : codes->product);
                    })});
  }

  const std::string modes = "gbMCULEDModeSelect";
  rows.push_back({.name = modes, .kind = Kind::kGroup, .parent = tab, .place = {352, 8, 344, 84},
                  .caption = T(Id::kMcuLedModeSelect)});
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    const int column = (k - 1) % 4;
    const int row = (k - 1) / 4;
    rows.push_back({.name = "cb_Mode" + N(k), .kind = Kind::kCheck, .parent = modes,
                    .place = {10 + column * 82, 22 + row * 28, 80, 20}, .caption = T(TermAfter(Id::kMode1, k - 1)),
                    .hint = {"Whether this MCU LED mode is offered by the mouse.", "鼠标是否提供该MCU LED模式。"},
                    .read = CheckedState([k](const EngineerPageModel& m) -> std::optional<bool> {
                      return m.controls().modes_offered[static_cast<std::size_t>(k - 1)];
                    }),
                    .write = OnToggle([k](EngineerPageModel& m, MouseSettings& s, bool on) { m.SetModeOffered(s, k, on); })});
  }
  AddPair(rows,
          {"gbFireFunction", 704, 8, Id::kFireFunction, EngineerPair::kFireFunction, &EngineerControls::fire_function,
           "rb_FireFnOn", Id::kFnLeftKey, {"The fire function runs on Fn + left button.", "连发功能由Fn + 左键触发。"},
           "rb_FireFnOff", Id::kLeftKey, {"The fire function runs on the left button.", "连发功能由左键触发。"}},
          tab, {0, 0, 344, 52}, {10, 22, 140, 20}, {160, 22, 140, 20});
}

std::vector<Row> MakeRows() {
  std::vector<Row> rows;
  rows.push_back({.name = kPage, .kind = Kind::kPage, .place = {0, 0, kEngineerWidth, kEngineerHeight}});
  AddCommands(rows);
  const std::string parameters = "Pg_Parameter";
  rows.push_back({.name = parameters, .kind = Kind::kPageControl, .place = {8, 44, 1060, 516}});
  rows.push_back({.name = kOperatorTab, .kind = Kind::kTab, .parent = parameters, .caption = T(Id::kOperation)});
  rows.push_back({.name = kEngineerTab, .kind = Kind::kTab, .parent = parameters, .caption = T(Id::kEngineer),
                  .gate = EngineerGate::kEngineerTab});
  AddDpiLevels(rows, kOperatorTab);
  AddFire(rows, kOperatorTab);
  AddRadioPairs(rows, kOperatorTab);
  AddLighting(rows, kOperatorTab);
  AddKeyModeOptions(rows, kOperatorTab);
  AddKeySelectors(rows, kOperatorTab);
  AddEngineerTab(rows, kEngineerTab);
  rows.push_back({.name = "Img_Logo4", .kind = Kind::kLogo, .place = {8, 568, 156, 64}});
  rows.push_back(Caption({}, {176, 570, 56, 18}, T(Id::kNotes)));
  rows.push_back({.name = "lbl_Content", .kind = Kind::kNotes, .place = {236, 570, 760, 62}});
  rows.push_back({.name = "Img_Result", .kind = Kind::kResultMark, .place = {1008, 572, 56, 56},
                  .starts_hidden = true});
  return rows;
}

}  // namespace

std::string TextOf(const EngineerText& text, TermLanguage language) {
  if (!text.term) return text.fixed;
  return std::string(EngineerTerm(*text.term, language));
}

bool GateOpen(EngineerGate gate, const EngineerModeEffects& effects) {
  switch (gate) {
    case EngineerGate::kNone: return true;
    case EngineerGate::kEngineerTab: return effects.engineer_tab_shown;
    case EngineerGate::kDefaultButton: return effects.default_button_shown;
    case EngineerGate::kLedType: return effects.led_type_enabled;
    case EngineerGate::kSensorOrientation: break;
  }
  return effects.sensor_orientation_enabled;
}

const std::vector<EngineerControlRow>& EngineerPageRows() {
  static const std::vector<EngineerControlRow> rows = MakeRows();
  return rows;
}

}  // namespace zelko
