#include "shell/macro_page.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWindow>

#include "pages/input_dialogs.h"
#include "shell/input_dialogs.h"
#include "shell/language_texts.h"
#include "shell/macro_lists.h"
#include "shell/macro_page_menus.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

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
// The grey of controls that take no input now.
const QColor kGrey(114, 113, 113);
const QColor kWhite(255, 255, 255);
const QString kOptionIndent(7, QLatin1Char(' '));

const QStringList kLibraryMenuEntries{"Btn_NewMacro", "Btn_NewName", "Btn_DelPCMacro", "Btn_ImportOne",
                                      "Btn_Import",   "Btn_ExportOne", "Btn_Export"};
const QStringList kEventMenuEntries{"Btn_Edit", "Btn_Del", "Btn_Insert"};

// The insert choices' texts, in list order.
constexpr const char* kInsertChoiceIds[kInsertChoiceCount] = {"Str410", "Str411", "Str412", "Str413", "Str446",
                                                              "Str447", "Str440", "Str441", "Str442", "Str443"};

// The options of a delay group: option, indicator, caption id.
struct DelayOption {
  DelayMode mode;
  const char* label;
  const char* id;
};
constexpr DelayOption kPageOptions[] = {{DelayMode::kRecorded, "RecDelay", "Str414"},
                                        {DelayMode::kDefault, "DelayTime", "Str415"},
                                        {DelayMode::kNone, "NoDelay", "Str416"}};
constexpr DelayOption kPanelOptions[] = {{DelayMode::kRecorded, "InsertRecDelay", "Str414"},
                                         {DelayMode::kDefault, "InsertDelayTime", "Str415"},
                                         {DelayMode::kNone, "InsertNoDelay", "Str416"}};

QString Radio(bool on) { return on ? QStringLiteral("RdS_E") : QStringLiteral("RdS_D"); }

std::optional<QColor> Kept(const LayoutSettings& layout, const char* key) {
  if (const auto it = layout.colours.find(key); it != layout.colours.end()) return it->second;
  return std::nullopt;
}

int NumberOf(const QLineEdit* edit) {
  bool ok = false;
  const int value = edit->text().toInt(&ok);
  return ok ? value : 0;
}

bool IsRecordingChoice(InsertChoice choice) {
  return choice == InsertChoice::kKeyFront || choice == InsertChoice::kKeyBack;
}

}  // namespace

MacroPage::MacroPage(QWidget* page, QWidget* window, ControlRegistry& controls, MacroPageServices services)
    : QObject(page),
      window_(window),
      controls_(controls),
      library_(*services.library),
      model_(*services.library, std::move(services.save), *services.clock),
      dialog_setup_(std::move(services.dialogSetup)),
      show_message_(std::move(services.showMessage)),
      library_changed_(std::move(services.libraryChanged)),
      capture_(std::move(services.capture)) {
  choose_open_ = [window] {
    return QFileDialog::getOpenFileName(window, QString(), QString(), QStringLiteral("LoadFile (*.bin)"));
  };
  choose_save_ = [window] {
    return QFileDialog::getSaveFileName(window, QString(), QString(), QStringLiteral("SaveFile (*.bin)"));
  };
  may_replace_ = [window](const QString& path) {
    return QMessageBox::question(window, QString(),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName())) == QMessageBox::Yes;
  };
  model_.on_auto_stopped = [this](bool) {
    // The recorder stopped itself inside TakePending: the capture ends with it.
    QMetaObject::invokeMethod(this, [this] { RecordingEnded(); }, Qt::QueuedConnection);
  };
  Build(page, window);
  Bind();
  Redraw();
}

MacroPage::~MacroPage() {
  qApp->removeEventFilter(this);
  if (capture_) capture_->Stop();
}

void MacroPage::SetFileChoosers(FileChooser open, FileChooser save, ReplaceQuestion replace) {
  choose_open_ = std::move(open);
  choose_save_ = std::move(save);
  may_replace_ = std::move(replace);
}

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
  for (QLineEdit* field : {delay_edit_, insert_delay_edit_, repeat_edit_, x_edit_, y_edit_}) {
    field->setText(QStringLiteral("0"));
  }
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
  // Captions stand left of their edit, from the choice list's left edge;
  // the unit right of the delay edit.
  const QWidget* list = at("CB_Insert");
  const auto caption = [&](const char* name, const QWidget* field) {
    QWidget* label = at(name);
    if (!label || !field || !list) return;
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

QStringList MacroPage::LibraryNames() const {
  QStringList names;
  for (const std::string& name : model_.LibraryRows()) names << QString::fromStdString(name);
  return names;
}

void MacroPage::Bind() {
  const auto onClick = [this](const QString& name, std::function<void()> handler) {
    if (auto* label = controls_.Label(name)) connect(label, &HoverLabel::clicked, this, std::move(handler));
  };
  connect(library_list_, &MacroList::rowPicked, this, &MacroPage::LB_PCMacroNameClick);
  connect(library_list_, &MacroList::pressedBelowRows, this, [this] {
    ClearMacro();
    model_.DeselectLibrary();
    event_list_->setFocus();
    Redraw();
  });
  connect(library_list_, &MacroList::menuRequested, this,
          [this](QPoint global) { OpenLibraryMenu(window_->mapFromGlobal(global)); });
  connect(event_list_, &MacroList::rowPicked, this, &MacroPage::LB_macroClick);
  connect(event_list_, &MacroList::pressedBelowRows, this, [this] {
    ClearMacro();
    model_.editor().SelectRow(std::nullopt);
    RedrawEvents();
  });
  connect(event_list_, &MacroList::menuRequested, this,
          [this](QPoint global) { OpenEventMenu(window_->mapFromGlobal(global)); });

  connect(library_menu_, &FloatingMenu::entryClicked, this, [this](const QString& name) {
    if (name == QLatin1String("Btn_NewMacro")) Btn_NewClick();
    if (name == QLatin1String("Btn_NewName")) Btn_NewNameClick();
    if (name == QLatin1String("Btn_DelPCMacro")) Btn_DelPCMacroClick();
    if (name == QLatin1String("Btn_ImportOne")) Btn_ImportOneClick();
    if (name == QLatin1String("Btn_Import")) Btn_ImportClick();
    if (name == QLatin1String("Btn_ExportOne")) Btn_ExportOneClick();
    if (name == QLatin1String("Btn_Export")) Btn_ExportClick();
  });
  connect(event_menu_, &FloatingMenu::entryClicked, this, [this](const QString& name) {
    if (name == QLatin1String("Btn_Edit")) Btn_EditClick();
    if (name == QLatin1String("Btn_Del")) Btn_DelClick();
    if (name == QLatin1String("Btn_Insert")) Btn_InsertClick();
  });

  onClick(QStringLiteral("Btn_New"), [this] { Btn_NewClick(); });
  onClick(QStringLiteral("Btn_Start"), [this] { Btn_StartClick(); });
  onClick(QStringLiteral("Btn_InsertStart"), [this] { Btn_InsertStartClick(); });
  onClick(QStringLiteral("Btn_OK"), [this] { Btn_OKClick(); });
  onClick(QStringLiteral("Btn_Cancel"), [this] { Btn_CancelClick(); });
  onClick(QStringLiteral("IB_ReleaseStop"), [this] { IB_ReleaseStopClick(); });
  onClick(QStringLiteral("IB_ReleaseContiue"), [this] { IB_ReleaseContiueClick(); });
  for (const DelayOption& option : kPageOptions) {
    const DelayMode mode = option.mode;
    onClick(QStringLiteral("IB_") + QLatin1String(option.label), [this, mode] { ChoosePageDelay(mode); });
  }
  for (const DelayOption& option : kPanelOptions) {
    const DelayMode mode = option.mode;
    onClick(QStringLiteral("IB_") + QLatin1String(option.label), [this, mode] { ChoosePanelDelay(mode); });
  }
  connect(insert_choice_, &QComboBox::activated, this, &MacroPage::CB_InsertChange);

  // Hovering the record buttons and New keeps their left clicks out of a
  // recording; the buttons show their hover pictures.
  for (const char* stem : {"New", "Start", "InsertStart", "OK", "Cancel"}) {
    auto* label = controls_.Label(QStringLiteral("Btn_") + QLatin1String(stem));
    const QString image = QStringLiteral("Img_") + QLatin1String(stem);
    const bool record = QLatin1String(stem) != QLatin1String("OK") && QLatin1String(stem) != QLatin1String("Cancel");
    const QString family = record ? QStringLiteral("MacroS") : QStringLiteral("MacroBtnS");
    connect(label, &HoverLabel::entered, this, [this, label, image, family, record] {
      if (record) model_.recorder().SetOverRecordButton(true);
      // A button that records shows its pressed picture until Stop.
      const SkinImage* shown = controls_.Image(image);
      if (label->isEnabled() && shown && !shown->imageName().endsWith(QLatin1String("_03"))) {
        controls_.ShowImages({{image, family + QStringLiteral("_02")}});
      }
    });
    connect(label, &HoverLabel::left, this, [this, image, family, record] {
      if (record) model_.recorder().SetOverRecordButton(false);
      const SkinImage* shown = controls_.Image(image);
      if (shown && shown->imageName().endsWith(QLatin1String("_02"))) {
        controls_.ShowImages({{image, family + QStringLiteral("_01")}});
      }
    });
  }

  // The edits keep their ranges as the user types.
  const auto bindNumber = [this](QLineEdit* field, bool allowMinus, std::function<QString(const QString&)> correct) {
    connect(field, &QLineEdit::textEdited, this, [this, field, allowMinus, correct](const QString& typed) {
      QString kept;
      for (const QChar c : typed) {
        const char32_t u = c.unicode();
        if (allowMinus ? ValueFieldTakes(u) : DelayFieldTakes(u)) kept += c;
      }
      const QString corrected = correct(kept);
      if (corrected != typed) field->setText(corrected);
      auto& options = model_.editor().delay_options();
      if (field == delay_edit_) options.page_delay_ms = NumberOf(field);
      if (field == insert_delay_edit_) options.panel_delay_ms = NumberOf(field);
    });
  };
  const auto delayText = [](const QString& text) {
    return QString::fromStdString(CorrectedDelayText(text.toStdString()));
  };
  bindNumber(delay_edit_, false, delayText);
  bindNumber(insert_delay_edit_, false, delayText);
  bindNumber(repeat_edit_, false, [](const QString& text) {
    return QString::fromStdString(CorrectedValueText(text.toStdString(), EditLineKind::kRepeat));
  });
  for (QLineEdit* axis : {x_edit_, y_edit_}) {
    bindNumber(axis, true, [](const QString& text) {
      return QString::fromStdString(CorrectedValueText(text.toStdString(), EditLineKind::kMoveX));
    });
  }
  // A press anywhere outside a floating menu closes it.
  qApp->installEventFilter(this);
}

void MacroPage::ClearMacro() {
  library_menu_->hide();
  event_menu_->hide();
}

void MacroPage::OpenLibraryMenu(QPoint windowPos) {
  ClearMacro();
  if (model_.recorder().recording() || model_.editor().insert_panel_open()) return;
  RedrawStates();
  library_menu_->OpenAt(windowPos);
}

void MacroPage::OpenEventMenu(QPoint windowPos) {
  ClearMacro();
  if (model_.recorder().recording() || model_.editor().insert_panel_open()) return;
  if (!model_.editor().open_entry() || !model_.editor().selected_row()) return;
  event_menu_->OpenAt(windowPos);
}

void MacroPage::Report(const PageOutcome& outcome) {
  if (!outcome.message_id.empty() && show_message_) show_message_(outcome.message_id);
}

void MacroPage::LibraryChanged() {
  if (library_changed_) library_changed_();
}

void MacroPage::LibraryReplaced() {
  StopCapture();
  model_.LibraryReplaced();
  Redraw();
  LibraryChanged();
}

void MacroPage::Redraw() {
  RedrawLibrary();
  RedrawEvents();
  RedrawStates();
}

void MacroPage::RedrawLibrary() {
  const QSignalBlocker blocker(library_list_);
  const QStringList names = LibraryNames();
  bool same = library_list_->count() == names.size();
  for (int i = 0; same && i < names.size(); ++i) same = library_list_->item(i)->text() == names[i];
  if (!same) {
    library_list_->clear();
    library_list_->addItems(names);
    library_list_->scrollToBottom();
  }
  const auto row = model_.selected_library_row();
  if (row) {
    library_list_->setCurrentRow(static_cast<int>(*row));
  } else {
    library_list_->clearSelection();
    library_list_->setCurrentItem(nullptr);
  }
}

void MacroPage::RedrawEvents() {
  const QSignalBlocker blocker(event_list_);
  const std::vector<EventRow> rows = model_.EventRows();
  event_list_->clear();
  for (const EventRow& row : rows) {
    event_list_->addItem(new QListWidgetItem(EventKindIcon(row.kind), QString::fromStdString(row.text)));
  }
  const auto selected = model_.editor().selected_row();
  if (selected && *selected < rows.size()) {
    event_list_->setCurrentRow(static_cast<int>(*selected));
    event_list_->scrollToItem(event_list_->currentItem());
  } else {
    event_list_->clearSelection();
    event_list_->setCurrentItem(nullptr);
  }
}

void MacroPage::RedrawStates() {
  const MacroPageStates states = model_.States();
  const MacroEditor& editor = model_.editor();
  const auto shown = [this](const QString& name, bool visible) { controls_.SetShown(name, visible); };
  const auto enable = [this](const QString& name, bool enabled, const QColor& normal) {
    QWidget* control = controls_.Find(name);
    if (!control) return;
    control->setEnabled(enabled);
    if (qobject_cast<QLabel*>(control)) SetTextColour(control, enabled ? normal : kGrey);
  };
  library_list_->setEnabled(states.library_list_enabled);
  event_list_->setEnabled(states.event_list_enabled);
  enable(QStringLiteral("Btn_New"), states.new_enabled, kWhite);
  if (auto* entry = library_menu_->Entry(QStringLiteral("Btn_NewMacro"))) entry->setEnabled(states.new_enabled);
  enable(QStringLiteral("Btn_Start"), states.start_enabled, kWhite);
  controls_.SetCaption(QStringLiteral("Btn_Start"), states.start_shows_stop ? stop_caption_ : record_caption_);
  controls_.ShowImages({{QStringLiteral("Img_Start"), states.start_shows_stop ? QStringLiteral("MacroS_03")
                                                                             : QStringLiteral("MacroS_01")}});

  // The delay group, or the insert panel in its place.
  const bool panel = states.insert_panel_shown;
  for (const DelayOption& option : kPageOptions) {
    const QString stem = QLatin1String(option.label);
    shown("Img_" + stem, !panel);
    shown("IB_" + stem, !panel);
    controls_.ShowImages({{"Img_" + stem, Radio(editor.delay_options().page_mode == option.mode)}});
    enable("IB_" + stem, states.delay_group_enabled, label_colour_);
  }
  shown(QStringLiteral("Edt_Delay"), !panel);
  const bool pageDefault = editor.delay_options().page_mode == DelayMode::kDefault;
  delay_edit_->setReadOnly(!pageDefault || !states.delay_group_enabled);
  SetTextColour(delay_edit_, pageDefault && states.delay_group_enabled ? font_colour_ : kGrey);
  delay_edit_->setText(QString::number(editor.delay_options().page_delay_ms));
  for (const char* release : {"ReleaseStop", "ReleaseContiue"}) {
    shown(QStringLiteral("Img_") + QLatin1String(release), !panel);
    shown(QStringLiteral("IB_") + QLatin1String(release), !panel);
  }
  controls_.ShowImages({{QStringLiteral("Img_ReleaseStop"), Radio(editor.release_stop())},
                        {QStringLiteral("Img_ReleaseContiue"), Radio(!editor.release_stop())}});

  const InsertChoice choice = editor.insert_choice();
  const bool recordingChoice = IsRecordingChoice(choice);
  const bool delayChoice = choice == InsertChoice::kDelayBefore || choice == InsertChoice::kDelayAfter;
  const bool repeatChoice = choice == InsertChoice::kRepeatStart || choice == InsertChoice::kRepeatStop;
  const bool xChoice = choice == InsertChoice::kXBefore || choice == InsertChoice::kXAfter;
  const bool yChoice = choice == InsertChoice::kYBefore || choice == InsertChoice::kYAfter;
  shown(QStringLiteral("Img_InsertBase"), panel);
  controls_.ShowImages({{QStringLiteral("Img_InsertBase"),
                         recordingChoice ? QStringLiteral("InsertKeyBase") : QStringLiteral("InsertDelayBase")}});
  shown(QStringLiteral("CB_Insert"), panel);
  {
    const QSignalBlocker blocker(insert_choice_);
    insert_choice_->setCurrentIndex(static_cast<int>(choice));
  }
  insert_choice_->setEnabled(states.insert_choices_enabled);
  for (const DelayOption& option : kPanelOptions) {
    const QString stem = QLatin1String(option.label);
    shown("Img_" + stem, panel && recordingChoice);
    shown("IB_" + stem, panel && recordingChoice);
    controls_.ShowImages({{"Img_" + stem, Radio(editor.delay_options().panel_mode == option.mode)}});
    enable("IB_" + stem, states.insert_choices_enabled, label_colour_);
  }
  shown(QStringLiteral("Edt_InsertDelay"), panel && (delayChoice || recordingChoice));
  shown(QStringLiteral("lbl_Delay"), panel && delayChoice);
  shown(QStringLiteral("lbl_s_A"), panel && (delayChoice || recordingChoice));
  const bool panelDelayEditable =
      delayChoice || (recordingChoice && editor.delay_options().panel_mode == DelayMode::kDefault &&
                      states.insert_choices_enabled);
  insert_delay_edit_->setReadOnly(!panelDelayEditable);
  SetTextColour(insert_delay_edit_, panelDelayEditable ? font_colour_ : kGrey);
  shown(QStringLiteral("edt_Repeat"), panel && repeatChoice);
  shown(QStringLiteral("lbl_Repeat"), panel && repeatChoice);
  repeat_edit_->setEnabled(choice == InsertChoice::kRepeatStart);
  SetTextColour(repeat_edit_, choice == InsertChoice::kRepeatStart ? font_colour_ : kGrey);
  SetTextColour(x_edit_, font_colour_);
  SetTextColour(y_edit_, font_colour_);
  shown(QStringLiteral("edt_XAxisValue"), panel && xChoice);
  shown(QStringLiteral("lbl_XAxisValue"), panel && xChoice);
  shown(QStringLiteral("edt_YAxisValue"), panel && yChoice);
  shown(QStringLiteral("lbl_YAxisValue"), panel && yChoice);
  shown(QStringLiteral("Img_InsertStart"), panel && recordingChoice);
  shown(QStringLiteral("Btn_InsertStart"), panel && recordingChoice);
  controls_.SetCaption(QStringLiteral("Btn_InsertStart"),
                       states.insert_start_shows_stop ? stop_caption_ : record_caption_);
  // OK inserts the value of the choice, or keeps the lines an insert recording placed.
  controls_.SetCaption(QStringLiteral("Btn_OK"), recordingChoice ? keep_caption_ : insert_caption_);
  controls_.ShowImages({{QStringLiteral("Img_InsertStart"), states.insert_start_shows_stop ? QStringLiteral("MacroS_03")
                                                                                          : QStringLiteral("MacroS_01")}});
  for (const char* name : {"OK", "Cancel"}) {
    shown(QStringLiteral("Img_") + QLatin1String(name), panel);
    shown(QStringLiteral("Btn_") + QLatin1String(name), panel);
    enable(QStringLiteral("Btn_") + QLatin1String(name), states.insert_ok_cancel_enabled, kWhite);
  }
  shown(QStringLiteral("lbl_CaptureNotice"), windowOnlyCapture());
  // Pictures above the panel's background.
  if (panel) {
    for (const char* name : {"CB_Insert", "Img_InsertRecDelay", "IB_InsertRecDelay", "Img_InsertDelayTime",
                             "IB_InsertDelayTime", "Img_InsertNoDelay", "IB_InsertNoDelay", "Edt_InsertDelay",
                             "lbl_Delay", "lbl_s_A", "edt_Repeat", "lbl_Repeat", "edt_XAxisValue", "lbl_XAxisValue",
                             "edt_YAxisValue", "lbl_YAxisValue", "Img_InsertStart", "Btn_InsertStart", "Img_OK",
                             "Btn_OK", "Img_Cancel", "Btn_Cancel"}) {
      if (QWidget* control = controls_.Find(QLatin1String(name))) control->raise();
    }
  }
}

InsertValues MacroPage::PanelValues() const {
  InsertValues values;
  values.delay_ms = NumberOf(insert_delay_edit_);
  values.repeat = NumberOf(repeat_edit_);
  values.x = NumberOf(x_edit_);
  values.y = NumberOf(y_edit_);
  return values;
}

void MacroPage::LB_PCMacroNameClick(int row) {
  ClearMacro();
  if (row < 0) return;
  model_.OpenLibraryRow(static_cast<std::size_t>(row));
  Redraw();
}

void MacroPage::LB_macroClick(int row) {
  ClearMacro();
  if (row < 0) return;
  model_.editor().SelectRow(static_cast<std::size_t>(row));
  RedrawEvents();
}

void MacroPage::Btn_EditClick() {
  ClearMacro();
  MacroEditor& editor = model_.editor();
  const auto row = editor.selected_row();
  if (!row) return;
  const char kind = LineKind(editor.lines()[*row + 1]);
  const EditDialog which = editor.BeginEdit();
  if (which == EditDialog::kNone || !dialog_setup_) return;
  const auto done = [this](EditOutcome outcome) {
    Report(MacroPageModel::OutcomeOf(outcome));
    RedrawEvents();
  };
  switch (which) {
    case EditDialog::kDelay:
      dialog_ = new NumberDialog(window_, dialog_setup_(), NumberDialog::Purpose::kDelay, EditLineKind::kMoveX,
                                 [this, done](const QString& text) {
                                   done(model_.editor().ApplyEditedDelay(text.toStdString()));
                                 });
      break;
    case EditDialog::kKey:
      dialog_ = new OneKeyDialog(window_, dialog_setup_(),
                                 kind == line_kind::kPress ? EditLineKind::kKeyPress : EditLineKind::kKeyRelease,
                                 [this, done](const OneKey& key) {
                                   done(model_.editor().ApplyEditedKey(key.label, key.event));
                                 });
      break;
    case EditDialog::kValue: {
      EditLineKind valueKind = EditLineKind::kRepeat;
      if (kind == line_kind::kMoveXPositive || kind == line_kind::kMoveXNegative) valueKind = EditLineKind::kMoveX;
      if (kind == line_kind::kMoveYPositive || kind == line_kind::kMoveYNegative) valueKind = EditLineKind::kMoveY;
      dialog_ = new NumberDialog(window_, dialog_setup_(), NumberDialog::Purpose::kValue, valueKind,
                                 [this, done](const QString& text) {
                                   done(model_.editor().ApplyEditedValue(text.toStdString()));
                                 });
      break;
    }
    case EditDialog::kNone:
      break;
  }
}

void MacroPage::Btn_DelClick() {
  ClearMacro();
  Report(MacroPageModel::OutcomeOf(model_.editor().DeleteSelected()));
  RedrawEvents();
}

void MacroPage::Btn_InsertClick() {
  ClearMacro();
  model_.OpenInsertPanel();
  RedrawStates();
}

void MacroPage::CB_InsertChange(int choice) {
  if (choice < 0 || choice >= kInsertChoiceCount) return;
  model_.editor().ChooseInsert(static_cast<InsertChoice>(choice));
  RedrawStates();
}

void MacroPage::Btn_OKClick() {
  controls_.ShowImages({{QStringLiteral("Img_OK"), QStringLiteral("MacroBtnS_03")}});
  Report(model_.InsertOk(PanelValues()));
  controls_.ShowImages({{QStringLiteral("Img_OK"), QStringLiteral("MacroBtnS_01")}});
  Redraw();
}

void MacroPage::Btn_CancelClick() {
  model_.InsertCancel();
  Redraw();
}

void MacroPage::IB_ReleaseStopClick() {
  model_.editor().ChooseReleaseStop();
  RedrawStates();
}

void MacroPage::IB_ReleaseContiueClick() {
  model_.editor().ChooseReleaseContinue();
  RedrawStates();
}

void MacroPage::ChoosePageDelay(DelayMode mode) {
  if (model_.recorder().recording()) return;
  model_.editor().delay_options().page_mode = mode;
  RedrawStates();
}

void MacroPage::ChoosePanelDelay(DelayMode mode) {
  if (model_.recorder().recording()) return;
  model_.editor().delay_options().panel_mode = mode;
  RedrawStates();
}

bool MacroPage::eventFilter(QObject* watched, QEvent* event) {
  const QWindow* handle = window_->windowHandle();
  if (watched == handle && event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    const QWidget* target = window_->childAt(press->position().toPoint());
    const auto inside = [target](const QWidget* menu) {
      return menu->isVisible() && target && (target == menu || menu->isAncestorOf(target));
    };
    if (!inside(library_menu_) && library_menu_->isVisible()) library_menu_->hide();
    if (!inside(event_menu_) && event_menu_->isVisible()) event_menu_->hide();
  }
  if (watched == handle && model_.recorder().recording()) {
    if (hearing_window_) return TakeWindowInput(event);
    // The keys are the macro's: they do not work the page meanwhile.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zelko
