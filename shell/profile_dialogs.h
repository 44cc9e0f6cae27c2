// The file dialogs of Save Profile and Load Profile, behind a seam so that
// tests hand in a file name without a modal dialog.
#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace zelko {

// Save Profile with edits not applied: what to do with them.
enum class UnappliedChoice { kApplyAndSave, kSaveMouseAsItIs, kCancel };

// The question and its three answers, in the language shown.
struct UnappliedQuestion {
  QString text;
  QString apply;
  QString saveAsIs;
  QString cancel;
};

class ProfileDialogs {
 public:
  virtual ~ProfileDialogs() = default;
  // The name typed or picked in the save dialog (`filter` in the toolkit's
  // form); nothing when cancelled. The dialog itself asks nothing about
  // existing files: the name written is another one (".bin" appended).
  virtual std::optional<QString> SaveFileName(QWidget* owner, const QString& filter) = 0;
  // The file picked in the open dialog; nothing when cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* owner, const QString& filter) = 0;
  // `path` exists: may it be replaced?
  virtual bool ConfirmReplace(QWidget* owner, const QString& path) = 0;
  // Save Profile re-reads the mouse: apply the window's edits first, save
  // the mouse as it is, or cancel?
  virtual UnappliedChoice AskAboutUnappliedEdits(QWidget* owner, const UnappliedQuestion& question) = 0;
};

// The pack ids of the dialogs' texts.
inline constexpr const char* kReplaceQuestionTextId = "Str880";  // "%1 already exists. ..."
inline constexpr const char* kProfileFileTypeTextId = "Str881";  // "Profile files"

// The filter the dialogs show: the pack's name for profile files with the
// patterns of `filter` ("SaveFile(*.bin) (*.bin)" gives "Profile files
// (*.bin)" in the English pack).
QString ProfileDialogFilter(int languageIndex, const QString& filter);

// QFileDialog and QMessageBox, in the current language and under the
// application's title, as every message box of the window.
class QtProfileDialogs final : public ProfileDialogs {
 public:
  // `languageIndex` gives the current pack; without it, the first.
  explicit QtProfileDialogs(std::function<int()> languageIndex = {});

  std::optional<QString> SaveFileName(QWidget* owner, const QString& filter) override;
  std::optional<QString> OpenFileName(QWidget* owner, const QString& filter) override;
  bool ConfirmReplace(QWidget* owner, const QString& path) override;
  UnappliedChoice AskAboutUnappliedEdits(QWidget* owner, const UnappliedQuestion& question) override;

 private:
  int language() const;

  std::function<int()> language_index_;
};

}  // namespace zelko
