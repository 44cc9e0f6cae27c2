// The macro page's library commands: new and rename through the name
// dialog, delete, and import and export through the file dialogs.
#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/file_reading.h"
#include "shell/input_dialogs.h"
#include "shell/macro_page.h"

namespace zelko {

void MacroPage::OpenNameDialog() {
  if (!dialog_setup_) return;
  dialog_ = new MacroNameDialog(window_, dialog_setup_(), [this](const QString& name) { ApplyMacroName(name); });
}

void MacroPage::Btn_NewClick() {
  HideMacroMenus();
  if (!model_.RequestNew()) return;
  OpenNameDialog();
}

void MacroPage::Btn_NewNameClick() {
  HideMacroMenus();
  if (!model_.RequestRename()) return;
  OpenNameDialog();
}

void MacroPage::ApplyMacroName(const QString& name) {
  const PageOutcome outcome = model_.ApplyMacroName(name.toStdString());
  Redraw();
  if (outcome.changed) LibraryChanged();
  Report(outcome);
}

void MacroPage::Btn_DelPCMacroClick() {
  HideMacroMenus();
  const PageOutcome outcome = model_.DeleteSelected();
  Redraw();
  if (outcome.changed) LibraryChanged();
  Report(outcome);
}

std::optional<std::vector<std::uint8_t>> MacroPage::ReadChosenFile() {
  const QString path = choose_open_ ? choose_open_() : QString();
  if (path.isEmpty()) return std::nullopt;
  std::string error;
  auto bytes = ReadWholeFile(path.toStdString(), &error);
  if (!bytes) {
    qWarning("zelko77: %s", error.c_str());
    if (show_message_) show_message_(std::string(kSaveFailedTextId));
  }
  return bytes;
}

void MacroPage::Btn_ImportOneClick() {
  HideMacroMenus();
  // Room for one more is checked before the dialog opens.
  if (model_.library_row_count() >= kLibraryEntryCount - 1) return;
  const auto bytes = ReadChosenFile();
  if (!bytes) return;
  const PageOutcome outcome = model_.ImportOne(*bytes);
  Redraw();
  if (outcome.changed) LibraryChanged();
  Report(outcome);
}

void MacroPage::Btn_ImportClick() {
  HideMacroMenus();
  const auto bytes = ReadChosenFile();
  if (!bytes) return;
  const PageOutcome outcome = model_.ImportAll(*bytes);
  Redraw();
  if (outcome.changed) LibraryChanged();
  Report(outcome);
}

void MacroPage::Export(const std::vector<std::uint8_t>& bytes) {
  const QString typed = choose_save_ ? choose_save_() : QString();
  if (typed.isEmpty()) return;
  // The file is the chosen folder and the typed name with ".bin" appended;
  // the dialog asked about the typed name, so a different file that exists
  // is asked about here.
  const QFileInfo chosen(typed);
  const QString path = QString::fromStdString(
      ExportFileName(chosen.absolutePath().toStdString() + "/", chosen.fileName().toStdString()));
  if (path != typed && QFileInfo::exists(path) && may_replace_ && !may_replace_(path)) return;
  const std::string error = WriteFileAtomically(path.toStdString(), bytes);
  if (!error.empty()) {
    qWarning("zelko77: %s", error.c_str());
    if (show_message_) show_message_(std::string(kSaveFailedTextId));
  }
}

void MacroPage::Btn_ExportOneClick() {
  HideMacroMenus();
  const auto record = model_.ExportSelected();
  if (!record) return;
  Export(std::vector<std::uint8_t>(record->begin(), record->end()));
}

void MacroPage::Btn_ExportClick() {
  HideMacroMenus();
  Export(model_.ExportAll());
}

}  // namespace zelko
