#include "shell/layout_applier.h"

#include <algorithm>

#include "shell/qt_button_names.h"

namespace zelko {

namespace {

// Number labels of a notch row sit this far below the notches.
constexpr int kRowLabelDrop = 24;
// The speed bars' number labels sit this far right of their notch.
constexpr int kSpeedLabelShift = 4;
constexpr int kSpeedNotches = 11;
constexpr int kDpiNotches = 11;
constexpr int kDpiLevels = 7;
constexpr int kLedStepNotches = 8;
constexpr int kLedCountNotches = 10;
// A menu entry's sub-menu marker sits this far left of the entry's right end.
constexpr int kMenuMarkerInset = 24;

struct ButtonKey {
  const char* prefix;
  const char* button;
};

constexpr ButtonKey kActionKeys[] = {
    {"Btn_A1", "Confirm"},  {"Btn_A2", "Apply"},    {"Btn_A8", "Read"}, {"Btn_A3", "Confirm1"},
    {"Btn_A5", "Confirm2"}, {"Btn_A6", "Confirm3"}, {"Btn_A7", "Mini"}, {"Btn_A4", "Exit"},
};
constexpr ButtonKey kTabKeys[] = {
    {"Btn_B1", "Main"},   {"Btn_B2", "Second"}, {"Btn_B4", "Adv"},    {"Btn_B5", "Breath"},
    {"Btn_B11", "Macro"}, {"Btn_B6", "Save"},   {"Btn_B7", "Load"},   {"Btn_B8", "Lang1"},
    {"Btn_B9", "Lang2"},  {"Btn_B10", "Lang3"},
};

QStringList AllCopiesOf(const QStringList& buttons) {
  QStringList labels;
  for (const QString& button : buttons) {
    for (int copy = 1; copy <= kSkinnedPageCount; ++copy) labels << ButtonLabelName(button, copy);
  }
  return labels;
}

QStringList Numbered(const QString& stem, int from, int to, const QString& suffix = {}) {
  QStringList names;
  for (int i = from; i <= to; ++i) names << stem + QString::number(i) + suffix;
  return names;
}

std::string Key(const std::string& prefix, const char* suffix) { return prefix + suffix; }

// A menu panel and its entries, which all take the panel's width.
struct MenuPanel {
  const char* panel;
  QStringList entries;
  QStringList markers;
};

}  // namespace

int ClampNumberOrder(int value) { return std::clamp(value, 0, 1); }

LayoutApplier::LayoutApplier(LayoutLookup lookup, LayoutTarget& target, int numberOrder)
    : lookup_(std::move(lookup)), target_(target), number_order_(ClampNumberOrder(numberOrder)) {}

std::optional<QSize> LayoutApplier::SizeOf(const QString& control) const {
  const auto place = target_.GeometryOf(control);
  if (!place) return std::nullopt;
  return place->size();
}

LayoutSettings LayoutApplier::Apply() {
  settings_ = {};
  ApplyActionButtons();
  ApplyTabButtons();
  ApplyMainPage();
  ApplyMenus();
  ApplyAdvancedPage();
  ApplyLightPage();
  ApplyMacroPage();
  return settings_;
}

void LayoutApplier::FamilyFont(const std::string& sizeKey, const std::string& colourPrefix,
                               const QStringList& labels) {
  const auto size = Value(sizeKey);
  if (size) settings_.fontSizes[sizeKey] = *size;
  const auto colour = LayoutColour(lookup_, colourPrefix);
  if (colour) settings_.colours[colourPrefix] = *colour;
  for (const QString& label : labels) {
    if (size && *size > 0) target_.SetFontSize(label, *size);
    if (colour) target_.SetFontColour(label, *colour);
  }
}

void LayoutApplier::KeepColour(const std::string& prefix) {
  if (const auto colour = LayoutColour(lookup_, prefix)) settings_.colours[prefix] = *colour;
}

void LayoutApplier::SkinnedButton(const std::string& prefix, const QString& button,
                                  bool tabSpacing) {
  const auto enable = Value(Key(prefix, "_Enable"));
  if (!enable) return;
  const bool shown = *enable == 1;
  const auto x = shown ? Value(Key(prefix, "_X")) : std::nullopt;
  const auto y = shown ? Value(Key(prefix, "_Y")) : std::nullopt;
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    const QString image = ButtonImageName(button, copy);
    const QString label = ButtonLabelName(button, copy);
    target_.SetShown(image, shown);
    target_.SetShown(label, shown);
    if (!shown || !x || !y) continue;
    target_.Move(image, *x, *y);
    const auto size = SizeOf(image);
    if (!size) continue;
    if (tabSpacing) {
      target_.Move(label, *x + settings_.buttonSpaceFront, *y);
      target_.Resize(label,
                     std::max(0, size->width() - settings_.buttonSpaceFront - settings_.buttonSpaceBack),
                     size->height());
    } else {
      target_.Move(label, *x, *y);
      target_.Resize(label, size->width(), size->height());
    }
  }
}

void LayoutApplier::SingleButton(const std::string& prefix, const QString& image,
                                 const QString& label, bool labelTakesImageSize) {
  const auto enable = Value(Key(prefix, "_Enable"));
  if (!enable) return;
  const bool shown = *enable == 1;
  target_.SetShown(image, shown);
  target_.SetShown(label, shown);
  if (!shown) return;
  const auto x = Value(Key(prefix, "_X"));
  const auto y = Value(Key(prefix, "_Y"));
  if (!x || !y) return;
  target_.Move(image, *x, *y);
  target_.Move(label, *x, *y);
  if (!labelTakesImageSize) return;
  if (const auto size = SizeOf(image)) target_.Resize(label, size->width(), size->height());
}

void LayoutApplier::Point(const std::string& prefix, const QStringList& controls, bool sizeFromFirst) {
  const auto x = Value(Key(prefix, "_X"));
  const auto y = Value(Key(prefix, "_Y"));
  if (!x || !y || controls.isEmpty()) return;
  for (const QString& control : controls) target_.Move(control, *x, *y);
  if (!sizeFromFirst) return;
  const auto size = SizeOf(controls.front());
  if (!size) return;
  for (qsizetype i = 1; i < controls.size(); ++i) {
    target_.Resize(controls[i], size->width(), size->height());
  }
}

void LayoutApplier::Size(const std::string& prefix, const QString& control) {
  const auto current = SizeOf(control);
  if (!current) return;
  const int width = Value(Key(prefix, "_W")).value_or(current->width());
  const int height = Value(Key(prefix, "_H")).value_or(current->height());
  target_.Resize(control, width, height);
}

void LayoutApplier::Row(const std::string& prefix, const QString& notch, int count,
                        const QString& label, int labelShift, int descendingFrom) {
  const auto x = Value(Key(prefix, "_X"));
  const auto y = Value(Key(prefix, "_Y"));
  if (!x || !y) return;
  const int gap = Value(Key(prefix, "_D")).value_or(0);
  const auto first = SizeOf(notch + QLatin1Char('1'));
  const int step = (first ? first->width() : 0) + gap;
  for (int k = 1; k <= count; ++k) {
    const int left = *x + (k - 1) * step;
    target_.Move(notch + QString::number(k), left, *y);
    if (label.isEmpty()) continue;
    const bool descending = descendingFrom > 0 && number_order_ == 1;
    const int labelNumber = descending ? descendingFrom - k : k;
    target_.Move(label + QString::number(labelNumber), left + labelShift, *y + kRowLabelDrop);
  }
}

void LayoutApplier::ApplyActionButtons() {
  FamilyFont("Size_A", "Color_A",
             AllCopiesOf({"Confirm", "Apply", "Read", "Confirm1", "Confirm2", "Confirm3"}));
  for (const auto& key : kActionKeys) SkinnedButton(key.prefix, QLatin1String(key.button), false);
}

void LayoutApplier::ApplyTabButtons() {
  FamilyFont("Size_B", "Color_B",
             AllCopiesOf({"Main", "Second", "Adv", "Breath", "Macro", "Engineer", "Save", "Load",
                          "Lang1", "Lang2", "Lang3"}));
  settings_.buttonSpaceFront = Value("Btn_Space_F").value_or(0);
  settings_.buttonSpaceBack = Value("Btn_Space_B").value_or(0);
  for (const auto& key : kTabKeys) SkinnedButton(key.prefix, QLatin1String(key.button), true);
  // The button menu's category panel shows its Macro entry with the page.
  if (const auto macro = Value("Btn_B11_Enable")) settings_.macroPageEnabled = *macro == 1;
}

void LayoutApplier::ApplyMainPage() {
  FamilyFont("Size_C", "Color_C", Numbered("Key", 1, 9) << "IB_ComboKey1" << "IB_ComboKey2");
  Point("P1", {"Img_P1"});
  for (int n = 1; n <= 9; ++n) {
    const QString key = QStringLiteral("Key%1").arg(n);
    SingleButton(key.toStdString(), QStringLiteral("Img_") + key, key, true);
  }
  for (int n = 1; n <= 2; ++n) {
    SingleButton("ComboKey" + std::to_string(n), QStringLiteral("Img_ComboKey%1").arg(n),
                 QStringLiteral("IB_ComboKey%1").arg(n), false);
  }
}

void LayoutApplier::ApplyMenus() {
  const MenuPanel mainPanel{"Pnl_Main",
                            {"Key_Standard", "Key_Special", "Key_Media", "Key_WWW", "Key_MyPC",
                             "Key_Assembly", "Key_Macro"},
                            {"ST_Standard", "ST_Special", "ST_Media", "ST_WWW", "ST_MyPC", "ST_Macro"}};
  const MenuPanel specialPanel{"Pnl_Special",
                               {"Key_CPIKey", "Key_Fire", "Key_AIMKey", "Key_LEDMode", "Key_LEDSwitch",
                                "Key_KeyMode", "Key_KeyOff"},
                               {"ST_CPIKey"}};
  const std::vector<MenuPanel> otherPanels{
      {"Pnl_MseKey", {"Key_Left", "Key_Right", "Key_Middle", "Key_B4", "Key_B5"}, {}},
      {"Pnl_CPIKey", {"Key_CPI", "Key_CPII", "Key_CPID"}, {}},
      {"Pnl_Media",
       {"Key_PlayPause", "Key_Stop", "Key_PreviousTrack", "Key_NextTrack", "Key_VolumePlus",
        "Key_VolumeMinus", "Key_Mute"},
       {}},
      {"Pnl_WWW",
       {"Key_WWWHome", "Key_WWWSearch", "Key_WWWBack", "Key_WWWForward", "Key_WWWStop",
        "Key_WWWRefresh", "Key_WWWFavorites"},
       {}},
      {"Pnl_MyPC", {"Key_Computer", "Key_Calculator", "Key_EMail", "Key_Desktop"}, {}},
      {"LB_Name", {}, {}},
  };
  QStringList entries;
  for (const auto* panel : {&mainPanel, &specialPanel}) entries << panel->entries;
  for (const auto& panel : otherPanels) entries << panel.entries;
  FamilyFont("Size_G", "Color_G", entries << "LB_Name");
  for (const char* colour : {"Color_G_Back", "Color_G_Border", "Color_G_SF", "Color_G_SP", "Color_M_IBG"}) {
    KeepColour(colour);
  }

  auto width = [&](const MenuPanel& panel, int w) {
    if (const auto size = SizeOf(QLatin1String(panel.panel))) {
      target_.Resize(QLatin1String(panel.panel), w, size->height());
    }
    for (const QString& entry : panel.entries) {
      if (const auto size = SizeOf(entry)) target_.Resize(entry, w, size->height());
    }
    for (const QString& marker : panel.markers) {
      if (const auto place = target_.GeometryOf(marker)) {
        target_.Move(marker, w - kMenuMarkerInset, place->top());
      }
    }
  };
  if (const auto w = Value("M_L_W")) {
    settings_.mainMenuWidth = *w;
    width(mainPanel, *w);
  }
  if (const auto w = Value("SP_L_W")) {
    settings_.specialMenuWidth = *w;
    width(specialPanel, *w);
  }
  if (const auto w = Value("O_L_W")) {
    settings_.otherMenuWidth = *w;
    for (const auto& panel : otherPanels) width(panel, *w);
  }
}

void LayoutApplier::ApplyAdvancedPage() {
  QStringList labels = Numbered("lbl_Spd", 1, 11) + Numbered("lbl_DbSpd", 1, 11) +
                       Numbered("lbl_ScrSpd", 1, 11) + Numbered("lbl_DPI", 1, kDpiLevels) +
                       Numbered("lbl_DPI", 1, kDpiLevels, "Value");
  labels << "lbl_AIMKey" << "lbl_AIMKeyValue" << "Edt_Repeat1" << "Edt_DelayTime1";
  if (const auto size = Value("Size_D")) {
    settings_.fontSizes["Size_D"] = *size;
    if (*size > 0) {
      for (const QString& label : labels) target_.SetFontSize(label, *size);
    }
  }
  for (const char* colour : {"Color_D_Selected", "Color_D_notSelected", "Color_D_Back", "Color_D_Border"}) {
    KeepColour(colour);
  }
  Point("P2", {"Img_P2"});
  Point("FKCnt", {"Edt_Repeat1"});
  Point("FKDelay", {"Edt_DelayTime1"});
  Row("Spd", "Img_Spd", kSpeedNotches, "lbl_Spd", kSpeedLabelShift, 0);
  Point("IsControl", {"Img_IsControl", "lbl_IsControl"});
  Row("DbSpd", "Img_DbSpd", kSpeedNotches, "lbl_DbSpd", kSpeedLabelShift, 0);
  Row("ScrSpd", "Img_ScrSpd", kSpeedNotches, "lbl_ScrSpd", kSpeedLabelShift, 0);
  Point("IsScreen", {"Img_IsScreen", "lbl_IsScreen"});
  for (int n = 1; n <= kDpiLevels; ++n) {
    const std::string level = "DPI" + std::to_string(n);
    const QString q = QString::number(n);
    Point(level + "_Color", {"Img_DPI" + q + "Col", "cs_DPI" + q + "Col", "lbl_DPI" + q + "Col"}, true);
  }
  for (int n = 1; n <= kDpiLevels; ++n) {
    Point("DPI" + std::to_string(n) + "_Check", {QStringLiteral("Img_DPI%1").arg(n)});
  }
  for (int n = 1; n <= kDpiLevels; ++n) {
    Point("DPI" + std::to_string(n), {QStringLiteral("lbl_DPI%1").arg(n)});
  }
  for (int n = 1; n <= kDpiLevels; ++n) {
    Point("DPI" + std::to_string(n) + "_Value", {QStringLiteral("lbl_DPI%1Value").arg(n)});
  }
  for (int n = 1; n <= kDpiLevels; ++n) {
    Row("DPI" + std::to_string(n) + "_Steps", QStringLiteral("Img_DPI%1_").arg(n), kDpiNotches, {}, 0, 0);
  }
  Point("AIMKey", {"lbl_AIMKey"});
  Point("AIMKey_Value", {"lbl_AIMKeyValue"});
  Row("AIMKey_Steps", "Img_AIMKey_", kDpiNotches, {}, 0, 0);
  if (const auto visible = Value("DPI_Count_Visible")) {
    settings_.dpiCountVisible = *visible;
    target_.SetShown(QStringLiteral("cbb_DPICount"), *visible == 1);
  }
  settings_.dpiCount = Value("DPI_Count").value_or(0);
  Point("DPI_Count", {"cbb_DPICount"});
}

void LayoutApplier::ApplyLightPage() {
  FamilyFont("Size_E", "Color_E", Numbered("lbl_MCULEDStep_", 1, kLedStepNotches) +
                                      Numbered("lbl_MCULEDNum_", 1, kLedCountNotches));
  Point("P3", {"Img_P3"});
  struct Pair {
    const char* key;
    const char* control;
  };
  constexpr Pair kRadios[] = {
      {"LEDOn", "LEDOn"},           {"LEDOff", "LEDOff"},           {"MCPIOn", "MCPIOn"},
      {"MCPIOff", "MCPIOff"},       {"LEDSwitchOn", "LCPIOn"},      {"LEDSwitchOff", "LCPIOff"},
      {"SaveKeyMode", "SaveKeyMode"}, {"NoSaveKeyMode", "NoSaveKeyMode"},
      {"LED3Control", "MCULED3Control"}, {"LED6Control", "MCULED6Control"},
  };
  for (const auto& radio : kRadios) {
    const QString control = QLatin1String(radio.control);
    Point(radio.key, {"Img_" + control, "lbl_" + control});
  }
  for (int n = 1; n <= 7; ++n) {
    Point("MCULEDMode" + std::to_string(n),
          {QStringLiteral("Img_MCULEDMode%1").arg(n), QStringLiteral("lbl_MCULEDMode%1").arg(n)});
  }
  Row("MCULEDStep", "Img_MCULEDStep_", kLedStepNotches, "lbl_MCULEDStep_", 0, kLedStepNotches + 1);
  Row("MCULEDNum", "Img_MCULEDNum_", kLedCountNotches, "lbl_MCULEDNum_", 0, kLedCountNotches + 1);
  for (int n = 1; n <= 2; ++n) {
    Point("KeyMode" + std::to_string(n),
          {QStringLiteral("Img_Mode%1Color").arg(n), QStringLiteral("cs_Mode%1Color").arg(n),
           QStringLiteral("IB_Mode%1Color").arg(n)},
          true);
  }
}

void LayoutApplier::ApplyMacroPage() {
  FamilyFont("Size_F", "Color_F",
             {"LB_PCMacroName", "LB_macro", "LB_MacroName", "Btn_New", "Btn_Start", "IB_RecDelay",
              "IB_DelayTime", "IB_NoDelay", "Edt_Delay", "IB_ReleaseStop", "IB_ReleaseContiue",
              "Btn_Insert", "CB_Insert", "IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay",
              "Edt_InsertDelay", "Btn_InsertStart", "Btn_OK", "Btn_Cancel", "lbl_Delay", "lbl_s_A"});
  for (const char* colour : {"Color_F_LBack", "Color_F_LBorder", "Color_F_Font", "Color_F_Back"}) {
    KeepColour(colour);
  }
  Point("P4", {"Img_P4"});
  settings_.macroNameHeight = Value("MacroNameHeight").value_or(0);
  Point("PCMacroName", {"LB_PCMacroName"});
  Size("PCMacroName", QStringLiteral("LB_PCMacroName"));
  Point("MacroContent", {"LB_macro"});
  Point("BtnNew", {"Img_New", "Btn_New"});
  Point("BtnStart", {"Img_Start", "Btn_Start"});
  Point("DelayTime", {"Img_DelayTime", "IB_DelayTime"});
  Point("RecDelay", {"Img_RecDelay", "IB_RecDelay"});
  Size("RecDelay", QStringLiteral("IB_RecDelay"));
  Point("DelayEdit", {"Edt_Delay"});
  Point("ReleaseStop", {"Img_ReleaseStop", "IB_ReleaseStop"});
  Point("ReleaseContinue", {"Img_ReleaseContiue", "IB_ReleaseContiue"});
  Point("Insert", {"Img_InsertBase"});
  Point("InsertList", {"CB_Insert"});
  Point("InsertRecDelay", {"Img_InsertRecDelay", "IB_InsertRecDelay"});
  Size("InsertRecDelay", QStringLiteral("IB_InsertRecDelay"));
  Point("InsertDelayEdit", {"Edt_InsertDelay"});
  Point("InsertAxisEdit", {"edt_XAxisValue", "edt_YAxisValue", "edt_Repeat"});
  Point("InsertBtnStart", {"Img_InsertStart", "Btn_InsertStart"});
  Point("InsertBtnOK", {"Img_OK", "Btn_OK"});
  Point("InsertBtnCancel", {"Img_Cancel", "Btn_Cancel"});
}

}  // namespace zelko
