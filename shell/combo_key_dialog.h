// The combination-key dialog (TForm2) on widgets: one key pressed in
// Edt_Assembly plus the boxes CB_Ctrl, CB_Shift, CB_Alt and CB_Win, by the
// rules of pages/combo_key_dialog.h. Confirm and Clear hand the result to
// the main window; the dialog changes no data itself.
#pragma once
#include <QCheckBox>
#include <array>
#include <functional>

#include "pages/combo_key_dialog.h"
#include "shell/skin_dialog.h"

namespace zelko {

class ComboKeyDialog final : public SkinDialog {
  Q_OBJECT
 public:
  // `handOver` receives what Confirm (ready) and Clear (emptied) leave in
  // the main window's hand-over; `apply` runs after Confirm's hand-over
  // (ApplyComboKey).
  ComboKeyDialog(QWidget* owner, const DialogSetup& setup, std::function<void(const ComboHandOver&)> handOver,
                 std::function<void()> apply);

  const ComboKeyDialogModel& model() const { return model_; }
  QCheckBox* box(ComboModifier modifier) const { return boxes_[static_cast<std::size_t>(modifier)]; }

 protected:
  void ConfirmClicked() override;
  void ClearClicked() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowField();

  ComboKeyDialogModel model_;
  std::array<QCheckBox*, 4> boxes_{};
  std::function<void(const ComboHandOver&)> hand_over_;
  std::function<void()> apply_;
};

}  // namespace zelko
