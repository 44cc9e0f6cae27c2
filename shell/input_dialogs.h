// The macro name (Form3), one-key (Form5), delay (Form6) and value (Form7)
// dialogs on widgets, each on the skinned dialog frame with the layout
// pack's group L, by the rules of pages/input_dialogs.h. Confirm hands the
// result to the main window through a callback and closes; the dialogs
// change no data themselves.
#pragma once
#include <functional>

#include "pages/input_dialogs.h"
#include "shell/skin_dialog.h"

namespace zelko {

// Any text of at most 16 characters (ApplyMacroName).
class MacroNameDialog final : public SkinDialog {
  Q_OBJECT
 public:
  MacroNameDialog(QWidget* owner, const DialogSetup& setup, std::function<void(const QString&)> confirmed);

 protected:
  void ConfirmClicked() override;
  void ClearClicked() override;

 private:
  std::function<void(const QString&)> confirmed_;
};

// One key for a key step (ApplyEditedKey): every key replaces the one
// before, modifiers included.
class OneKeyDialog final : public SkinDialog {
  Q_OBJECT
 public:
  OneKeyDialog(QWidget* owner, const DialogSetup& setup, EditLineKind kind,
               std::function<void(const OneKey&)> confirmed);
  const QString& eventText() const { return event_; }

 protected:
  void ConfirmClicked() override;
  void ClearClicked() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditLineKind kind_;
  QString event_;
  std::function<void(const OneKey&)> confirmed_;
};

// A delay (ApplyEditedDelay, 0..2040) or a value (ApplyEditedValue, by
// the line kind): only digits (and for a value the minus sign) can be
// typed, and the text is corrected after every change.
class NumberDialog final : public SkinDialog {
  Q_OBJECT
 public:
  enum class Purpose { kDelay, kValue };
  NumberDialog(QWidget* owner, const DialogSetup& setup, Purpose purpose, EditLineKind kind,
               std::function<void(const QString&)> confirmed);

 protected:
  void ConfirmClicked() override;
  void ClearClicked() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Correct(const QString& text);

  Purpose purpose_;
  EditLineKind kind_;
  std::function<void(const QString&)> confirmed_;
};

}  // namespace zelko
