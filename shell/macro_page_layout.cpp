// The macro page's controls made, placed by the layout pack and styled in
// its colours and font.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "shell/language_texts.h"
#include "shell/macro_lists.h"
#include "shell/macro_page.h"
#include "shell/macro_page_controls.h"
#include "shell/macro_page_menus.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

using namespace macro_page;  // the delay groups' options and their pictures

// Design-time places (page coordinates); the layout packs move what they name.
struct Place {
  const char* control;
  int x;
  int y;
};
constexpr Place kDesignPlaces[] = {
    {"LB_PCMacroName", 216, 106}, {"LB_macro", 432, 106},       {"Img_New", 256, 500},
    {"Btn_New", 256, 500},        {"Img_Start", 480, 500},      {"Btn_Start", 480, 500},
    {"Img_RecDelay", 664, 112},   {"IB_RecDelay", 664, 112},    {"Img_DelayTime", 664, 140},
    {"IB_DelayTime", 664, 140},   {"Edt_Delay", 796, 138},      {"Img_ReleaseStop", 668, 232},
    {"IB_ReleaseStop", 668, 232}, {"Img_ReleaseContiue", 668, 260}, {"IB_ReleaseContiue", 668, 260},
    {"Img_InsertBase", 664, 106}, {"CB_Insert", 672, 118},      {"Img_InsertRecDelay", 672, 154},
    {"IB_InsertRecDelay", 672, 154}, {"Edt_InsertDelay", 760, 240}, {"edt_XAxisValue", 760, 276},
    {"edt_YAxisValue", 760, 276}, {"edt_Repeat", 760, 276},     {"Img_InsertStart", 706, 380},
    {"Btn_InsertStart", 706, 380}, {"Img_OK", 672, 440},        {"Btn_OK", 672, 440},
    {"Img_Cancel", 772, 440},     {"Btn_Cancel", 772, 440},     {"lbl_CaptureNotice", 216, 540},
};
constexpr QSize kListSize(216, 380);
constexpr QSize kOptionSize(190, 20);
constexpr QSize kEditSize(52, 22);
constexpr QSize kChoiceSize(188, 24);
constexpr QSize kNoticeSize(652, 20);
// The release options' labels reach over the captions the background draws.
constexpr QSize kReleaseLabelSize(180, 20);
// Rows of an option group stand this far apart when the pack places the first only.
constexpr int kInsertOptionStep = 24;
constexpr int kLabelGap = 6;
constexpr int kMenuWidth = 150;
constexpr int kMenuRowHeight = 22;
const QString kOptionIndent(7, QLatin1Char(' '));

const QStringList kLibraryMenuEntries{"Btn_NewMacro", "Btn_NewName", "Btn_DelPCMacro", "Btn_ImportOne",
                                      "Btn_Import",   "Btn_ExportOne", "Btn_Export"};
const QStringList kEventMenuEntries{"Btn_Edit", "Btn_Del", "Btn_Insert"};

// The insert choices' texts, in list order.
constexpr const char* kInsertChoiceIds[kInsertChoiceCount] = {"Str410", "Str411", "Str412", "Str413", "Str446",
                                                              "Str447", "Str440", "Str441", "Str442", "Str443"};

std::optional<QColor> Kept(const LayoutSettings& layout, const char* key) {
  if (const auto it = layout.colours.find(key); it != layout.colours.end()) return it->second;
  return std::nullopt;
}

}  // namespace

void MacroPage::Build(QWidget* page, QWidget* window) {
  const auto image = [&](const QString& name, const QString& picture) {
    MakeControl<SkinImage>(name, page, controls_)->ShowImage(picture);
  };
  const auto button = [&](const QString& stem, const QString& label, const QString& picture) {
    image("Img_" + stem, picture);
    auto* caption = MakeControl<HoverLabel>(label, page, controls_);
    caption->resize(controls_.Find("Img_" + stem)->size());
  };
  const auto edit = [&](const QString& name) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->resize(kEditSize);
    field->setAlignment(Qt::AlignCenter);
    field->setFrame(false);
    controls_.Add(field);
    return field;
  };
  const auto text = [&](const QString& name) {
    auto* label = new QLabel(page);
    label->setObjectName(name);
    controls_.Add(label);
    return label;
  };

  library_list_ = new MacroList(QStringLiteral("LB_PCMacroName"), 4, page);
  event_list_ = new MacroList(QStringLiteral("LB_macro"), 45, page);
  for (MacroList* list : {library_list_, event_list_}) {
    list->resize(kListSize);
    controls_.Add(list);
  }
  button(QStringLiteral("New"), QStringLiteral("Btn_New"), QStringLiteral("MacroS_01"));
  button(QStringLiteral("Start"), QStringLiteral("Btn_Start"), QStringLiteral("MacroS_01"));

  for (const auto* group : {&kPageOptions, &kPanelOptions}) {
    for (const DelayOption& option : *group) {
      image(QStringLiteral("Img_") + QLatin1String(option.label), Radio(false));
      auto* caption = MakeControl<HoverLabel>(QStringLiteral("IB_") + QLatin1String(option.label), page, controls_);
      caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      caption->resize(kOptionSize);
    }
  }
  delay_edit_ = edit(QStringLiteral("Edt_Delay"));
  for (const char* release : {"ReleaseStop", "ReleaseContiue"}) {
    image(QStringLiteral("Img_") + QLatin1String(release), Radio(false));
    MakeControl<HoverLabel>(QStringLiteral("IB_") + QLatin1String(release), page, controls_)->resize(kReleaseLabelSize);
  }

  // The insert panel, over the delay group's place.
  image(QStringLiteral("Img_InsertBase"), QStringLiteral("InsertDelayBase"));
  insert_choice_ = new QComboBox(page);
  insert_choice_->setObjectName(QStringLiteral("CB_Insert"));
  insert_choice_->resize(kChoiceSize);
  for (int i = 0; i < kInsertChoiceCount; ++i) insert_choice_->addItem(QString());
  controls_.Add(insert_choice_);
  insert_delay_edit_ = edit(QStringLiteral("Edt_InsertDelay"));
  repeat_edit_ = edit(QStringLiteral("edt_Repeat"));
  x_edit_ = edit(QStringLiteral("edt_XAxisValue"));
  y_edit_ = edit(QStringLiteral("edt_YAxisValue"));
  for (QLineEdit* field : {delay_edit_, insert_delay_edit_, x_edit_, y_edit_}) field->setText(QStringLiteral("0"));
  repeat_edit_->setText(QString::number(kInsertRepeatStart));
  for (const char* name : {"lbl_Delay", "lbl_s_A", "lbl_XAxisValue", "lbl_YAxisValue", "lbl_Repeat"}) {
    text(QLatin1String(name));
  }
  button(QStringLiteral("InsertStart"), QStringLiteral("Btn_InsertStart"), QStringLiteral("MacroS_01"));
  button(QStringLiteral("OK"), QStringLiteral("Btn_OK"), QStringLiteral("MacroBtnS_01"));
  button(QStringLiteral("Cancel"), QStringLiteral("Btn_Cancel"), QStringLiteral("MacroBtnS_01"));

  auto* notice = text(QStringLiteral("lbl_CaptureNotice"));
  notice->resize(kNoticeSize);
  notice->setWordWrap(false);

  for (const Place& place : kDesignPlaces) {
    if (QWidget* control = controls_.Find(QLatin1String(place.control))) control->move(place.x, place.y);
  }
  PlaceUnplaced();

  library_menu_ = new FloatingMenu(QStringLiteral("Pnl_PCMacro"), kLibraryMenuEntries, window, controls_);
  event_menu_ = new FloatingMenu(QStringLiteral("Pnl_DevContent"), kEventMenuEntries, window, controls_);
}

void MacroPage::PlaceUnplaced() {
  const auto at = [this](const char* name) -> QWidget* { return controls_.Find(QLatin1String(name)); };
  const auto follow = [&](const char* name, const char* under, int step) {
    QWidget* control = at(name);
    const QWidget* above = at(under);
    if (control && above) control->move(above->x(), above->y() + step);
  };
  // The no-delay option follows the other two by their distance; the
  // panel's options by the rows of its background.
  if (const QWidget* rec = at("IB_RecDelay"); rec && at("IB_DelayTime")) {
    const int step = at("IB_DelayTime")->y() - rec->y();
    follow("Img_NoDelay", "Img_DelayTime", step);
    follow("IB_NoDelay", "IB_DelayTime", step);
  }
  follow("Img_InsertDelayTime", "Img_InsertRecDelay", kInsertOptionStep);
  follow("IB_InsertDelayTime", "IB_InsertRecDelay", kInsertOptionStep);
  follow("Img_InsertNoDelay", "Img_InsertDelayTime", kInsertOptionStep);
  follow("IB_InsertNoDelay", "IB_InsertDelayTime", kInsertOptionStep);
  for (const char* option : {"IB_DelayTime", "IB_NoDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"}) {
    const char* first = QLatin1String(option).startsWith(QLatin1String("IB_Insert")) ? "IB_InsertRecDelay" : "IB_RecDelay";
    if (QWidget* control = at(option); control && at(first)) control->resize(at(first)->size());
  }
  // Captions stand left of their edit, from the choice list's left edge,
  // whole: an edit whose caption needs more room than the pack leaves moves
  // right ("Repeat Number" in the English pack); the unit stands right of
  // the delay edit.
  const QWidget* list = at("CB_Insert");
  const auto caption = [&](const char* name, QWidget* field) {
    auto* label = qobject_cast<QLabel*>(at(name));
    if (!label || !field || !list) return;
    const int needed = label->fontMetrics().horizontalAdvance(label->text());
    if (field->x() - list->x() - kLabelGap < needed) field->move(list->x() + needed + kLabelGap, field->y());
    label->setGeometry(list->x(), field->y(), std::max(0, field->x() - list->x() - kLabelGap), field->height());
  };
  caption("lbl_Delay", insert_delay_edit_);
  caption("lbl_XAxisValue", x_edit_);
  caption("lbl_YAxisValue", y_edit_);
  caption("lbl_Repeat", repeat_edit_);
  if (QWidget* unit = at("lbl_s_A")) {
    unit->setGeometry(insert_delay_edit_->geometry().right() + kLabelGap, insert_delay_edit_->y(), 40,
                      insert_delay_edit_->height());
  }
  for (const char* stem : {"New", "Start", "InsertStart", "OK", "Cancel"}) {
    const QWidget* image = controls_.Find(QStringLiteral("Img_") + QLatin1String(stem));
    if (QWidget* label = controls_.Find(QStringLiteral("Btn_") + QLatin1String(stem)); label && image) {
      label->setGeometry(image->geometry());
    }
  }
}

void MacroPage::ApplyLayout(const LayoutSettings& layout, const LanguageTexts& texts, const QString& fontName) {
  MacroListLook look;
  look.text = Kept(layout, "Color_F").value_or(look.text);
  look.back = Kept(layout, "Color_F_LBack").value_or(look.back);
  look.border = Kept(layout, "Color_F_LBorder").value_or(look.border);
  look.selectedBack = Kept(layout, "Color_M_IBG").value_or(look.selectedBack);
  look.selectedText = look.text;
  if (layout.macroNameHeight > 0) look.rowHeight = layout.macroNameHeight;
  library_list_->SetLook(look);
  event_list_->SetLook(look);
  font_colour_ = Kept(layout, "Color_F_Font").value_or(font_colour_);
  label_colour_ = Kept(layout, "Color_F").value_or(label_colour_);

  const QColor menuText = Kept(layout, "Color_G").value_or(QColor(217, 222, 230));
  const QColor menuBack = Kept(layout, "Color_G_Back").value_or(QColor(23, 27, 34));
  const QColor menuBorder = Kept(layout, "Color_G_Border").value_or(QColor(58, 68, 82));
  const QColor menuHighText = Kept(layout, "Color_G_SF").value_or(QColor(11, 13, 17));
  const QColor menuHighBack = Kept(layout, "Color_G_SP").value_or(QColor(0, 210, 255));
  for (FloatingMenu* menu : {library_menu_, event_menu_}) {
    menu->SetLook(menuText, menuBack, menuBorder, menuHighText, menuHighBack, kMenuRowHeight, kMenuWidth);
  }

  // The texts the language applier leaves to the page.
  record_caption_ = texts.Text("Str400");
  stop_caption_ = texts.Text("Str401");
  insert_caption_ = texts.Text("Str420");
  keep_caption_ = texts.Text("Str421");
  const int choice = insert_choice_->currentIndex();
  for (int i = 0; i < kInsertChoiceCount; ++i) insert_choice_->setItemText(i, texts.Text(kInsertChoiceIds[i]));
  insert_choice_->setCurrentIndex(std::max(0, choice));
  for (const DelayOption& option : kPageOptions) {
    controls_.SetCaption(QStringLiteral("IB_") + QLatin1String(option.label), kOptionIndent + texts.Text(option.id));
  }
  controls_.SetCaption(QStringLiteral("lbl_CaptureNotice"),
                       texts.Text(QString::fromUtf8(kWindowOnlyCaptureTextId.data(),
                                                    static_cast<qsizetype>(kWindowOnlyCaptureTextId.size()))));

  const QStringList styled{"LB_PCMacroName", "LB_macro", "CB_Insert", "Edt_Delay", "Edt_InsertDelay", "edt_Repeat",
                           "edt_XAxisValue", "edt_YAxisValue", "lbl_Delay", "lbl_s_A", "lbl_XAxisValue",
                           "lbl_YAxisValue", "lbl_Repeat", "lbl_CaptureNotice", "Btn_New", "Btn_Start",
                           "Btn_InsertStart", "Btn_OK", "Btn_Cancel", "IB_RecDelay", "IB_DelayTime", "IB_NoDelay",
                           "IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"};
  for (const QString& name : styled + kLibraryMenuEntries + kEventMenuEntries) {
    if (QWidget* control = controls_.Find(name)) {
      QFont font = control->font();
      if (!fontName.isEmpty()) font.setFamily(fontName);
      control->setFont(font);
    }
  }
  for (const char* name : {"lbl_Delay", "lbl_s_A", "lbl_XAxisValue", "lbl_YAxisValue", "lbl_Repeat", "lbl_CaptureNotice"}) {
    if (QWidget* label = controls_.Find(QLatin1String(name))) SetTextColour(label, label_colour_);
  }
  const auto rgb = [](const QColor& colour) { return colour.name(QColor::HexRgb); };
  const QColor editBack = Kept(layout, "Color_F_LBack").value_or(QColor(11, 13, 17));
  const QColor fieldBack = Kept(layout, "Color_F_Back").value_or(QColor(31, 37, 46));
  insert_choice_->setStyleSheet(
      QStringLiteral("QComboBox { background: %1; color: %2; border: 1px solid %3; padding-left: 4px; }"
                     "QComboBox QAbstractItemView { background: %1; color: %2; selection-background-color: %4; }"
                     "QComboBox:disabled { color: #727171; }")
          .arg(rgb(fieldBack), rgb(label_colour_), rgb(look.border), rgb(look.selectedBack)));
  for (QLineEdit* field : {delay_edit_, insert_delay_edit_, repeat_edit_, x_edit_, y_edit_}) {
    field->setStyleSheet(QStringLiteral("QLineEdit { background: %1; border: 1px solid %2; }").arg(rgb(editBack), rgb(look.border)));
  }
  PlaceUnplaced();
  Redraw();
}

}  // namespace zelko
