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
#include "shell/macro_page_controls.h"
#include "shell/macro_page_menus.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

using namespace macro_page;  // the delay groups' options and their pictures

// The grey of controls that take no input now.
const QColor kGrey(114, 113, 113);
const QColor kWhite(255, 255, 255);

int NumberOf(const QLineEdit* edit) {
  bool ok = false;
  const int value = edit->text().toInt(&ok);
  return ok ? value : 0;
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
    HideMacroMenus();
    model_.DeselectLibrary();
    event_list_->setFocus();
    Redraw();
  });
  connect(library_list_, &MacroList::menuRequested, this,
          [this](QPoint global) { OpenLibraryMenu(window_->mapFromGlobal(global)); });
  connect(event_list_, &MacroList::rowPicked, this, &MacroPage::LB_macroClick);
  connect(event_list_, &MacroList::pressedBelowRows, this, [this] {
    HideMacroMenus();
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
    return QString::fromStdString(CorrectedInsertRepeatText(text.toStdString()));
  });
  for (QLineEdit* axis : {x_edit_, y_edit_}) {
    bindNumber(axis, true, [](const QString& text) {
      return QString::fromStdString(CorrectedValueText(text.toStdString(), EditLineKind::kMoveX));
    });
  }
  // A press anywhere outside a floating menu closes it.
  qApp->installEventFilter(this);
}

void MacroPage::HideMacroMenus() {
  library_menu_->hide();
  event_menu_->hide();
}

void MacroPage::OpenLibraryMenu(QPoint windowPos) {
  HideMacroMenus();
  if (model_.recorder().recording() || model_.editor().insert_panel_open()) return;
  RedrawStates();
  library_menu_->OpenAt(windowPos);
}

void MacroPage::OpenEventMenu(QPoint windowPos) {
  HideMacroMenus();
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

  // The insert panel as the model lays it out for the chosen insert.
  const InsertPanelLayout layout = model_.InsertPanel();
  shown(QStringLiteral("Img_InsertBase"), panel);
  if (panel) {
    controls_.ShowImages({{QStringLiteral("Img_InsertBase"),
                           QString::fromLatin1(layout.background.data(), static_cast<qsizetype>(layout.background.size()))}});
  }
  shown(QStringLiteral("CB_Insert"), panel);
  {
    const QSignalBlocker blocker(insert_choice_);
    insert_choice_->setCurrentIndex(static_cast<int>(editor.insert_choice()));
  }
  insert_choice_->setEnabled(states.insert_choices_enabled);
  for (const DelayOption& option : kPanelOptions) {
    const QString stem = QLatin1String(option.label);
    shown("Img_" + stem, layout.recording_controls_shown);
    shown("IB_" + stem, layout.recording_controls_shown);
    controls_.ShowImages({{"Img_" + stem, Radio(editor.delay_options().panel_mode == option.mode)}});
    enable("IB_" + stem, states.insert_choices_enabled, label_colour_);
  }
  shown(QStringLiteral("Edt_InsertDelay"), layout.delay_edit_shown);
  shown(QStringLiteral("lbl_Delay"), layout.delay_caption_shown);
  shown(QStringLiteral("lbl_s_A"), layout.delay_unit_shown);
  insert_delay_edit_->setReadOnly(!layout.delay_edit_editable);
  SetTextColour(insert_delay_edit_, layout.delay_edit_editable ? font_colour_ : kGrey);
  shown(QStringLiteral("edt_Repeat"), layout.repeat_shown);
  shown(QStringLiteral("lbl_Repeat"), layout.repeat_shown);
  repeat_edit_->setEnabled(layout.repeat_enabled);
  SetTextColour(repeat_edit_, layout.repeat_enabled ? font_colour_ : kGrey);
  SetTextColour(x_edit_, font_colour_);
  SetTextColour(y_edit_, font_colour_);
  shown(QStringLiteral("edt_XAxisValue"), layout.x_shown);
  shown(QStringLiteral("lbl_XAxisValue"), layout.x_shown);
  shown(QStringLiteral("edt_YAxisValue"), layout.y_shown);
  shown(QStringLiteral("lbl_YAxisValue"), layout.y_shown);
  shown(QStringLiteral("Img_InsertStart"), layout.recording_controls_shown);
  shown(QStringLiteral("Btn_InsertStart"), layout.recording_controls_shown);
  controls_.SetCaption(QStringLiteral("Btn_InsertStart"),
                       states.insert_start_shows_stop ? stop_caption_ : record_caption_);
  // OK inserts the value of the choice, or keeps the lines an insert recording placed.
  controls_.SetCaption(QStringLiteral("Btn_OK"), layout.ok_keeps_recording ? keep_caption_ : insert_caption_);
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
  values.repeat = InsertRepeatCount(repeat_edit_->text().toStdString());
  values.x = NumberOf(x_edit_);
  values.y = NumberOf(y_edit_);
  return values;
}

void MacroPage::LB_PCMacroNameClick(int row) {
  HideMacroMenus();
  if (row < 0) return;
  model_.OpenLibraryRow(static_cast<std::size_t>(row));
  Redraw();
}

void MacroPage::LB_macroClick(int row) {
  HideMacroMenus();
  if (row < 0) return;
  model_.editor().SelectRow(static_cast<std::size_t>(row));
  RedrawEvents();
}

void MacroPage::Btn_EditClick() {
  HideMacroMenus();
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
  HideMacroMenus();
  Report(MacroPageModel::OutcomeOf(model_.editor().DeleteSelected()));
  RedrawEvents();
}

void MacroPage::Btn_InsertClick() {
  HideMacroMenus();
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
