#include "shell/language_applier.h"

#include "shell/qt_button_names.h"
#include "shell/control_registry.h"
#include "shell/language_texts.h"

namespace zelko {

namespace {

struct Caption {
  const char* control;
  const char* id;
};

// Skinned buttons, all four copies.
constexpr Caption kButtonCaptions[] = {
    {"Confirm", "Str000"}, {"Apply", "Str001"},  {"Read", "Str017"},   {"Confirm1", "Str002"},
    {"Confirm2", "Str015"}, {"Confirm3", "Str016"}, {"Main", "Str004"}, {"Second", "Str005"},
    {"Adv", "Str007"},     {"Breath", "Str008"}, {"Macro", "Str014"},  {"Save", "Str009"},
    {"Load", "Str010"},    {"Lang1", "Str011"},  {"Lang2", "Str012"},  {"Lang3", "Str013"},
};

// Menu entries of the button editor: " * " + text.
constexpr Caption kMenuCaptions[] = {
    {"Key_Standard", "Str201"},  {"Key_Special", "Str202"},    {"Key_Media", "Str203"},
    {"Key_WWW", "Str204"},       {"Key_MyPC", "Str207"},       {"Key_Assembly", "Str205"},
    {"Key_Macro", "Str206"},     {"Key_Left", "Str210"},       {"Key_Right", "Str211"},
    {"Key_Middle", "Str212"},    {"Key_B4", "Str213"},         {"Key_B5", "Str214"},
    {"Key_CPIKey", "Str230"},    {"Key_Fire", "Str220"},       {"Key_AIMKey", "Str222"},
    {"Key_LEDMode", "Str226"},   {"Key_LEDSwitch", "Str221"},  {"Key_KeyMode", "Str225"},
    {"Key_KeyOff", "Str224"},    {"Key_CPI", "Str231"},        {"Key_CPII", "Str232"},
    {"Key_CPID", "Str233"},      {"Key_PlayPause", "Str250"},  {"Key_Stop", "Str251"},
    {"Key_PreviousTrack", "Str252"}, {"Key_NextTrack", "Str253"}, {"Key_VolumePlus", "Str254"},
    {"Key_VolumeMinus", "Str255"}, {"Key_Mute", "Str256"},     {"Key_WWWHome", "Str260"},
    {"Key_WWWSearch", "Str261"}, {"Key_WWWBack", "Str262"},    {"Key_WWWForward", "Str263"},
    {"Key_WWWStop", "Str264"},   {"Key_WWWRefresh", "Str265"}, {"Key_WWWFavorites", "Str266"},
    {"Key_Computer", "Str240"},  {"Key_Calculator", "Str241"}, {"Key_EMail", "Str242"},
    {"Key_Desktop", "Str243"},
};

// Macro page controls.
constexpr Caption kMacroCaptions[] = {
    {"Btn_NewName", "Str402"},  {"Btn_New", "Str432"},       {"Btn_Start", "Str400"},
    {"Btn_ExportOne", "Str404"}, {"Btn_Export", "Str405"},   {"Btn_ImportOne", "Str406"},
    {"Btn_Import", "Str407"},   {"Btn_Edit", "Str435"},      {"Btn_Del", "Str408"},
    {"Btn_Insert", "Str409"},   {"Btn_NewMacro", "Str432"},  {"Btn_DelPCMacro", "Str433"},
    {"lbl_Delay", "Str417"},    {"lbl_s_A", "Str418"},       {"lbl_XAxisValue", "Str444"},
    {"lbl_YAxisValue", "Str445"}, {"lbl_Repeat", "Str448"},  {"Btn_InsertStart", "Str400"},
    {"Btn_OK", "Str420"},       {"Btn_Cancel", "Str422"},
};
constexpr Caption kMacroOptionCaptions[] = {
    {"IB_InsertRecDelay", "Str414"}, {"IB_InsertDelayTime", "Str415"}, {"IB_InsertNoDelay", "Str416"},
};

const QString kComboIndent(5, QLatin1Char(' '));
const QString kOptionIndent(7, QLatin1Char(' '));

}  // namespace

void TranslateKeyLabels(const LanguageTexts& texts, ControlRegistry& controls) {
  for (int n = 1; n <= 9; ++n) {
    const QString label = QStringLiteral("Key%1").arg(n);
    if (const auto translated = texts.Translate(controls.Caption(label))) {
      controls.SetCaption(label, *translated);
    }
  }
}

KeptTexts ApplyLanguage(const LanguageTexts& texts, ControlRegistry& controls) {
  KeptTexts kept;
  kept.fontName = texts.fontName();
  kept.title = texts.title();

  for (const auto& caption : kButtonCaptions) {
    const QString text = texts.Text(caption.id);
    for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
      controls.SetCaption(ButtonLabelName(QLatin1String(caption.control), copy), text);
    }
  }
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    controls.SetCaption(ButtonLabelName(QStringLiteral("Engineer"), copy), QStringLiteral("Engineer"));
  }

  TranslateKeyLabels(texts, controls);
  controls.SetCaption(QStringLiteral("IB_ComboKey1"), kComboIndent + texts.Text("Str700"));
  controls.SetCaption(QStringLiteral("IB_ComboKey2"), kComboIndent + texts.Text("Str701"));

  const QString bullet = QLatin1Char(' ') + texts.Text("Str200") + QLatin1Char(' ');
  for (const auto& caption : kMenuCaptions) {
    controls.SetCaption(QLatin1String(caption.control), bullet + texts.Text(caption.id));
  }
  kept.leftClickLabel = texts.Text("Str210");
  kept.aimLabel = texts.Text("Str222");

  for (const auto& caption : kMacroCaptions) {
    controls.SetCaption(QLatin1String(caption.control), texts.Text(caption.id));
  }
  for (const auto& caption : kMacroOptionCaptions) {
    controls.SetCaption(QLatin1String(caption.control), kOptionIndent + texts.Text(caption.id));
  }
  return kept;
}

}  // namespace zelko
