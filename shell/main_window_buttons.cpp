// The main window's button assignment editor: the labels
// Key1 .. Key9 open the function menu, its entries assign through the page
// models (pages/button_editor.h), Customise opens the combination-key
// dialog, LB_Name places a library macro in a device slot, and the two
// long-press options flip. Any press outside the menu closes it.
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "keys/function_catalogue.h"
#include "macros/library_file.h"
#include "macros/macro_name_codec.h"
#include "resources/language_pack.h"
#include "resources/layout_pack.h"
#include "shell/button_menu_view.h"
#include "shell/combo_key_dialog.h"
#include "shell/engineer_page.h"
#include "shell/hover_controller.h"
#include "shell/macro_page.h"
#include "shell/main_window.h"

namespace zelko {

namespace {

QString KeyLabelName(int button) { return QStringLiteral("Key%1").arg(button); }

}  // namespace

TextLookup MainWindow::CurrentTextLookup() const {
  const int language = texts_.index();
  return [language](std::string_view id) { return LangText(language, id); };
}

void MainWindow::LoadMacroLibrary() {
  if (library_file_.empty()) {
    const auto place = session::MacroLibraryPlace(general_.macroFolder.toStdString(),
                                                  QCoreApplication::applicationDirPath().toStdString());
    if (place) library_file_ = *place;
  }
  library_ = {};
  if (library_file_.empty()) {
    library_ = DefaultLibrary();  // no folder to keep it in: the built-in one
  } else {
    // The library's failures are silent; an unreadable file leaves the
    // list empty.
    (void)LoadOrCreateLibraryFile(library_file_, library_);
  }
  macro_page_->LibraryReplaced();
}

void MainWindow::ApplyMenuLayout() {
  MenuLayout menu;
  if (layout_.mainMenuWidth > 0) menu.main_width = layout_.mainMenuWidth;
  if (layout_.specialMenuWidth > 0) menu.advance_width = layout_.specialMenuWidth;
  if (layout_.otherMenuWidth > 0) menu.other_width = layout_.otherMenuWidth;
  menu.macro_entry_shown = layout_.macroPageEnabled;
  menu.area = {skin_.width(), skin_.height()};
  menu_view_->ApplyLayout(menu, MenuColours::From(layout_), layout_.macroNameHeight);
  // The menu stands above the pages: it takes the pack's font itself.
  QFont font = menu_view_->Panel(MenuPanel::kMain)->font();
  font.setFamily(kept_.fontName);
  for (const MenuPanel panel : kAllMenuPanels) menu_view_->Panel(panel)->setFont(font);
}

void MainWindow::HideAllMenu() {
  menu_view_->HideAll();
  if (macro_page_) macro_page_->HideMacroMenus();
}

ComboKeyDialog* MainWindow::comboDialog() const { return combo_dialog_.data(); }

void MainWindow::ShowPnlMain_OnClick(int button) {
  const QString name = KeyLabelName(button);
  const QWidget* label = controls_.Find(name);
  if (!label) return;
  // The label gets back its picture and the caption it had when the mouse
  // entered, as on leaving.
  hover_->Leave(name);
  menu_view_->OpenForMainPage(button, QRect(label->mapTo(this, QPoint(0, 0)), label->size()));
}

void MainWindow::ShowAssignment(const ButtonPick& pick, const AssignmentResult& result) {
  switch (result.outcome) {
    case AssignmentOutcome::kStored:
    case AssignmentOutcome::kKeepLeftClick:
      if (pick.source == PickSource::kMainPage) {
        controls_.SetCaption(KeyLabelName(pick.number), QString::fromStdString(result.caption));
      } else {
        engineer_page_->SetKeyCaption(pick.number, QString::fromStdString(result.caption));
      }
      break;
    case AssignmentOutcome::kNoFreeSlot:
    case AssignmentOutcome::kInvalid:
      return;
  }
  if (result.outcome == AssignmentOutcome::kKeepLeftClick) {
    ShowTextMessage(std::string(kKeepLeftClickMessageId), {}, MessageKind::Program);
  }
}

void MainWindow::KeyStatusOnClick(const QString& entryName) {
  const MenuEntry* entry = FindMenuEntry(entryName.toStdString());
  if (!entry) return;
  if (entry->kind == MenuEntryKind::kCustomise) {
    Key_AssemblyClick();
    return;
  }
  HideAllMenu();
  const auto& pick = menu_view_->model().pick();
  if (!pick || entry->kind != MenuEntryKind::kAssign) return;
  const auto target = PickedButton(*pick, shown_profile_);
  if (!target) return;
  ShowAssignment(*pick, AssignMenuEntry(settings_, *target, entry->tag, PickCaptions(*pick), CurrentTextLookup()));
}

void MainWindow::Key_AssemblyClick() {
  HideAllMenu();
  QCoreApplication::processEvents();
  combo_ = {};
  const DialogSetup setup = CurrentDialogSetup();
  // A new window each time; an older one still open keeps its own values.
  combo_dialog_ = new ComboKeyDialog(
      this, setup, [this](const ComboHandOver& handOver) { combo_ = handOver; }, [this] { ApplyComboKey(); });
}

void MainWindow::ApplyComboKey() {
  if (!combo_.ready) return;
  // The pick made when the menu was opened, the profile shown now.
  const auto& pick = menu_view_->model().pick();
  if (!pick) return;
  const auto target = PickedButton(*pick, shown_profile_);
  if (!target) return;
  ShowAssignment(*pick, zelko::ApplyComboKey(settings_, *target, combo_));
}

void MainWindow::LB_NameClick(int row) {
  menu_view_->HideMainAndMacroList();
  const std::vector<std::size_t> entries = library_.EntriesInUse();
  const auto& pick = menu_view_->model().pick();
  if (row < 0 || static_cast<std::size_t>(row) >= entries.size() || !pick) return;
  const auto target = PickedButton(*pick, shown_profile_);
  if (!target) return;
  const MacroRecord macro = library_.Record(entries[static_cast<std::size_t>(row)]);
  ShowAssignment(*pick, session::AssignLibraryMacro(settings_, *target, macro, device_slots_,
                                                    session_->workspace().base_macro_area, CurrentTextLookup())
                            .result);
}

void MainWindow::IB_ComboKeyClick(LongPressOption option) {
  (void)FlipLongPress(settings_.buttons, option);
  controls_.ShowImages(LongPressImages(settings_.buttons));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Every press reaches the window's platform window once, before any
  // widget sees it (and before it travels up from a widget that ignores it).
  if (event->type() == QEvent::MouseButtonPress && watched == windowHandle() && menu_view_->model().anyShown()) {
    const auto* press = static_cast<QMouseEvent*>(event);
    const QWidget* target = childAt(press->position().toPoint());
    if (!menu_view_->Contains(target)) HideAllMenu();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zelko
