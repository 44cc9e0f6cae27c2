#include "shell/combo_key_dialog.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "shell/key_event_adapter.h"

namespace zelko {

namespace {

struct BoxPlace {
  ComboModifier modifier;
  const char* name;
  const char* x;
  const char* y;
  int design_x;
};
constexpr BoxPlace kBoxes[] = {
    {ComboModifier::kCtrl, "CB_Ctrl", "MK_C_X", "MK_C_Y", 56},
    {ComboModifier::kShift, "CB_Shift", "MK_S_X", "MK_S_Y", 144},
    {ComboModifier::kAlt, "CB_Alt", "MK_A_X", "MK_A_Y", 232},
    {ComboModifier::kWin, "CB_Win", "MK_W_X", "MK_W_Y", 320},
};
constexpr int kDesignBoxTop = 116;

void ClearBoxes(const std::array<QCheckBox*, 4>& boxes) {
  for (QCheckBox* box : boxes) {
    const QSignalBlocker blocker(box);
    box->setChecked(false);
  }
}

}  // namespace

ComboKeyDialog::ComboKeyDialog(QWidget* owner, const DialogSetup& setup,
                               std::function<void(const ComboHandOver&)> handOver, std::function<void()> apply)
    : SkinDialog(owner, QStringLiteral("Form2"), DialogGroup::kK, setup, "Str500", "Str501", "Str502", 40),
      hand_over_(std::move(handOver)),
      apply_(std::move(apply)) {
  field()->setReadOnly(true);
  // Keys reach the dialog before the field does anything with them (Tab
  // included).
  field()->installEventFilter(this);
  QFont boxFont = field()->font();
  boxFont.setPointSize(fontSize());
  for (const auto& place : kBoxes) {
    auto* box = new QCheckBox(QString::fromUtf8(ComboModifierName(place.modifier).data()), this);
    box->setObjectName(QLatin1String(place.name));
    box->setFont(boxFont);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, textColour());
    box->setPalette(palette);
    box->move(GroupValue(place.x, place.x).value_or(place.design_x),
              GroupValue(place.y, place.y).value_or(kDesignBoxTop));
    box->adjustSize();
    const ComboModifier modifier = place.modifier;
    connect(box, &QCheckBox::clicked, this, [this, modifier](bool checked) {
      model_.SetModifier(modifier, checked);
      ShowField();
      field()->setFocus(Qt::OtherFocusReason);
    });
    boxes_[static_cast<std::size_t>(place.modifier)] = box;
  }
  ShowField();
  ShowAndFocus(true);
}

void ComboKeyDialog::ShowField() { field()->setText(QString::fromStdString(model_.field())); }

bool ComboKeyDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field()) {
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // every key is the dialog's, none a shortcut
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers held = key->modifiers();
      model_.KeyPressed(VirtualKeyOf(*key), held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier),
                        held.testFlag(Qt::AltModifier));
      ShowField();
      return true;
    }
  }
  return SkinDialog::eventFilter(watched, event);
}

void ComboKeyDialog::ConfirmClicked() {
  if (hand_over_) hand_over_(model_.Confirm());
  if (apply_) apply_();
  close();
}

void ComboKeyDialog::ClearClicked() {
  const ComboHandOver emptied = model_.Clear();
  ClearBoxes(boxes_);
  ShowField();
  if (hand_over_) hand_over_(emptied);
  field()->setFocus(Qt::OtherFocusReason);
}

}  // namespace zelko
