// The main window's side of the macro page: the library file it keeps, the
// names LB_Name lists, the dialogs' set-up, and the engineer page's import
// of the device macro slots from a file.
#include "base/file_reading.h"
#include "macros/library_file.h"
#include "resources/layout_pack.h"
#include "shell/button_menu_view.h"
#include "shell/macro_page.h"
#include "shell/main_window.h"

namespace zelko {

DialogSetup MainWindow::CurrentDialogSetup() const {
  DialogSetup setup;
  const auto pack = LoadLayoutPack("org" + std::to_string(texts_.index()));
  setup.layout = [pack](const std::string& key) { return pack ? pack->Int(key) : std::nullopt; };
  setup.texts = &texts_;
  setup.fontName = kept_.fontName;
  setup.owner = QRect(pos(), size());
  return setup;
}

bool MainWindow::SaveMacroLibrary(const PCMacroLibrary& library) {
  // Without a folder to keep it in the library lives in memory only.
  if (library_file_.empty()) return false;
  return SaveLibraryFile(library_file_, library);
}

void MainWindow::RefreshMacroNames() {
  if (menu_view_ && macro_page_) menu_view_->SetMacroNames(macro_page_->LibraryNames());
}

MacroPage* MainWindow::BuildMacroPage(std::unique_ptr<InputCapture> capture) {
  MacroPageServices services;
  services.library = &library_;
  services.save = [this](const PCMacroLibrary& library) { return SaveMacroLibrary(library); };
  services.clock = &clock_;
  services.capture = std::move(capture);
  services.dialogSetup = [this] { return CurrentDialogSetup(); };
  services.showMessage = [this](const std::string& id) { ShowTextMessage(id, {}, MessageKind::Program); };
  services.libraryChanged = [this] { RefreshMacroNames(); };
  return new MacroPage(controls_.Find(QStringLiteral("gbPage4")), this, controls_, std::move(services));
}

void MainWindow::ImportBaseMacro() {
  // Only the key test's worker talks to the mouse while the test runs.
  if (keyTestRunning()) return;
  HideAllMenu();
  const QString path = macro_page_->ChooseOpenFile();
  if (path.isEmpty()) return;
  std::string error;
  const auto bytes = ReadWholeFile(path.toStdString(), &error);
  if (!bytes) {
    qWarning("zelko77: %s", error.c_str());
    ShowTextMessage("Str109", {}, MessageKind::Program);
    return;
  }
  Workspace& workspace = session_->workspace();
  if (session::ImportDeviceSlots(*bytes, workspace, device_slots_) == session::SlotImport::kTooShort) {
    ShowTextMessage("Str103", {}, MessageKind::Program);
    return;
  }
  ShowProfileLabels(shown_profile_ == 2);
  // Without a mouse the slots wait in memory for the next write.
  if (!session_->IsOpen() || workspace.source == ImageSource::kNoDevice) return;
  // A write that does not verify says so (Str109); a mouse that refuses
  // configuration keeps its slots, and the loaded ones go with the next write.
  SayWhenTheEndWentUnanswered(session::WriteShownImage(*session_, WriteExtent::kWhole));
}

}  // namespace zelko
