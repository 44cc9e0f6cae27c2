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
  const auto* label = controls_.Label(labelName);
  Apply(model_.Enter(labelName.toStdString(), controls_.Caption(labelName).toStdString(),
                     label && label->isEnabled(), context_()));
}

void HoverController::Leave(const QString& labelName) {
  Apply(model_.Leave(labelName.toStdString(), context_()));
}

void HoverController::Tick() {
  if (const auto change = model_.Tick(rolling_ && rolling_())) {
    controls_.SetCaption(QString::fromStdString(change->label), QString::fromStdString(change->caption));
  }
}

void HoverController::RememberCaption(const QString& labelName, const QString& caption) {
  model_.RememberCaption(labelName.toStdString(), caption.toStdString());
}

void HoverController::Apply(const HoverEffects& effects) {
  controls_.ShowImages(effects.images);
  for (const auto& change : effects.captions) {
    controls_.SetCaption(QString::fromStdString(change.label), QString::fromStdString(change.caption));
  }
  switch (effects.timer) {
    case TimerChange::None:
      break;
    case TimerChange::Start:
      timer_.start();
      break;
    case TimerChange::Stop:
      timer_.stop();
      break;
  }
}

}  // namespace zelko
