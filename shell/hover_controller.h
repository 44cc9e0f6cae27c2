// Hover, leave and rolling captions of the skinned buttons and the main
// page's button frames: picks the pictures by the family rules and runs the
// LabelRun timer while a button is hovered.
#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

#include "shell/button_families.h"
#include "shell/text_roll.h"

namespace zelko {

class ControlRegistry;
class HoverLabel;

class HoverController : public QObject {
  Q_OBJECT
 public:
  using ContextSource = std::function<HoverContext()>;
  using RollingSwitch = std::function<bool()>;

  HoverController(ControlRegistry& controls, ContextSource context, RollingSwitch rolling,
                  QObject* parent = nullptr);

  // Binds the hover and leave of one label (named as a button of a family).
  void Bind(HoverLabel* label);

  void Enter(const QString& labelName);
  void Leave(const QString& labelName);
  // One LabelRun tick (the timer calls it; tests may too).
  void Tick();

  const TextRoll& roll() const { return roll_; }
  // A language switch under the mouse: leaving restores this caption.
  void RememberCaption(const QString& labelName, const QString& caption);
  bool timerActive() const { return timer_.isActive(); }

 private:
  ControlRegistry& controls_;
  ContextSource context_;
  RollingSwitch rolling_;
  TextRoll roll_;
  QTimer timer_;
};

}  // namespace zelko
