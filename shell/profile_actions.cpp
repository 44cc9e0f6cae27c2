// Save Profile and Load Profile: the mouse's image into a file, and a file
// shown and written into the mouse. The rules live in pages/profile_files.h
// and image/; here the dialogs, the messages and the flows meet.
#include <QAbstractButton>
#include <QFileInfo>

#include "base/file_reading.h"
#include "image/profile_file.h"
#include "pages/button_families.h"
#include "pages/profile_files.h"
#include "resources/language_pack.h"
#include "shell/main_window.h"
#include "shell/profile_dialogs.h"
#include "shell/qt_button_names.h"
#include "shell/skin_widgets.h"

namespace zelko {

namespace {

QString FilterText(std::string_view filter) { return QString::fromStdString(DialogFilter(filter)); }

}  // namespace

void MainWindow::BindProfileButtons() {
  const std::pair<const char*, void (MainWindow::*)()> buttons[] = {
      {"Save", &MainWindow::Btn_Save_0Click},
      {"Load", &MainWindow::Btn_Load_0Click},
  };
  for (const auto& [button, handler] : buttons) {
    for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
      const QString label = QString::fromStdString(ButtonLabelName(std::string_view(button), copy));
      if (auto* control = controls_.Label(label)) connect(control, &HoverLabel::clicked, this, handler);
    }
    // The engineer page's own buttons.
    const QString engineer = QStringLiteral("Btn_%1_6").arg(QLatin1String(button));
    if (auto* control = qobject_cast<QAbstractButton*>(controls_.Find(engineer))) {
      connect(control, &QAbstractButton::clicked, this, handler);
    }
  }
}

void MainWindow::Btn_Save_0Click() {
  if (keyTestRunning()) return;
  HideAllMenu();
  controls_.ShowImages(AllCopies(std::string_view("Save"), std::string_view("SetS_03")));
  if (!session_->IsOpen()) {
    ShowTextMessage(std::string(kNoDeviceTextId), {}, MessageKind::Standard);
    return;
  }
  // The mouse is read again below: edits not applied yet would vanish.
  if (session::HasUnappliedEdits(session_->workspace(), settings_)) {
    const auto text = [this](const char* id) { return QString::fromStdString(LangText(texts_.index(), id)); };
    const UnappliedQuestion question{text("Str150"), text("Str151"), text("Str152"), text("Str153")};
    switch (profile_dialogs_->AskAboutUnappliedEdits(this, question)) {
      case UnappliedChoice::kCancel:
        return;
      case UnappliedChoice::kApplyAndSave: {
        if (RefuseLockingIdentity()) return;
        const session::WriteReport applied = ApplyAll();
        SayWhenTheEndWentUnanswered(applied);
        if (!applied.ok()) return;  // the flows said why; nothing is saved
        break;
      }
      case UnappliedChoice::kSaveMouseAsItIs:
        break;
    }
  }
  const auto chosen = profile_dialogs_->SaveFileName(this, FilterText(kSaveProfileFilter));
  if (!chosen) return;
  const QString path = QString::fromStdString(ProfileSavePath(chosen->toStdString()));
  // The dialog saw the name without the appended ".bin": the file that is
  // replaced is asked about here.
  if (QFileInfo::exists(path) && !profile_dialogs_->ConfirmReplace(this, path)) return;
  // The mouse read again, so the file holds its memory as it is now; a mouse
  // that is refused (Str107) or not read whole leaves the image as it was.
  (void)session::ReadMouse(*session_);
  const std::string error = SaveProfile(path.toStdString(), session_->workspace().data_buf);
  if (!error.empty()) messages_->Show(this, QString::fromStdString(error), MessageKind::Standard, kept_.fontName, application_title_);
}

void MainWindow::Btn_Load_0Click() {
  if (keyTestRunning()) return;
  HideAllMenu();
  controls_.ShowImages(AllCopies(std::string_view("Load"), std::string_view("SetS_03")));
  if (!session_->IsOpen()) {
    ShowTextMessage(std::string(kNoDeviceTextId), {}, MessageKind::Standard);
    return;
  }
  const auto chosen = profile_dialogs_->OpenFileName(this, FilterText(kLoadProfileFilter));
  if (!chosen) return;
  std::string error;
  const auto bytes = ReadFileStart(chosen->toStdString(), kProfileReadLimit, &error);
  if (!bytes) {
    messages_->Show(this, QString::fromStdString(error), MessageKind::Standard, kept_.fontName, application_title_);
    return;
  }
  const session::ProfileLoadPlan plan = session::PlanProfileLoad(
      session_->workspace().data_buf, *bytes, session_->connection()->expected_codes());
  switch (plan.verdict) {
    case session::ProfileLoadVerdict::kNoSignature:
      ShowTextMessage(std::string(kBadProfileTextId), {}, MessageKind::Standard);
      return;
    case session::ProfileLoadVerdict::kForeignIdentity:
      messages_->Show(this, QString::fromStdString(ProfileRefusalText(plan.problem)), MessageKind::Standard,
                      kept_.fontName, application_title_);
      return;
    case session::ProfileLoadVerdict::kWrite:
      break;
  }
  SayWhenTheEndWentUnanswered(session::LoadProfile(*session_, plan, ImageSource::kProfileFile));
}

}  // namespace zelko
