#include "shell/hover_controller.h"

#include "shell/control_registry.h"
#include "shell/skin_widgets.h"

namespace zelko {

HoverController::HoverController(ControlRegistry& controls, ContextSource context,
                                 RollingSwitch rolling, QObject* parent)
    : QObject(parent), controls_(controls), context_(std::move(context)), rolling_(std::move(rolling)) {
  timer_.setInterval(TextRoll::kTickMs);
  connect(&timer_, &QTimer::timeout, this, &HoverController::Tick);
}

void HoverController::Bind(HoverLabel* label) {
  const QString name = label->objectName();
  connect(label, &HoverLabel::entered, this, [this, name] { Enter(name); });
  connect(label, &HoverLabel::left, this, [this, name] { Leave(name); });
}

void HoverController::Enter(const QString& labelName) {
  const auto button = ParseButtonLabel(labelName);
  if (!button) return;
  controls_.ShowImages(HoverEnterImages(*button, context_()));
  if (!RollsCaption(button->family)) return;
  // A label still rolling (leave was missed) gets its caption back first.
  if (roll_.active() && roll_.labelName() != labelName) Leave(roll_.labelName());
  roll_.Start(labelName, controls_.Caption(labelName));
  auto* label = controls_.Label(labelName);
  if (label && label->isEnabled()) timer_.start();
}

void HoverController::Leave(const QString& labelName) {
  const auto button = ParseButtonLabel(labelName);
  if (!button) return;
  controls_.ShowImages(HoverLeaveImages(*button, context_()));
  if (!RollsCaption(button->family) || !roll_.active() || roll_.labelName() != labelName) return;
  timer_.stop();
  controls_.SetCaption(labelName, roll_.Stop());
}

void HoverController::Tick() {
  if (!roll_.active()) return;
  const int before = roll_.ticks();
  const QString caption = roll_.Tick(rolling_ && rolling_());
  if (roll_.ticks() != before) controls_.SetCaption(roll_.labelName(), caption);
}

void HoverController::RememberCaption(const QString& labelName, const QString& caption) {
  if (roll_.active() && roll_.labelName() == labelName) roll_.Remember(caption);
}

}  // namespace zelko
