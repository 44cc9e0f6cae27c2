// Hover, leave and rolling captions of the skinned buttons and the main
// page's button frames on their widgets: binds the labels' hover signals to
// the hover model, runs the LabelRun timer and applies the pictures and
// captions the model asks for.
#pragma once
#include <QObject>
#include <QTimer>
#include <functional>

#include "pages/hover_rules.h"

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

  const HoverModel& model() const { return model_; }
  // A language switch under the mouse: leaving restores this caption.
  void RememberCaption(const QString& labelName, const QString& caption);
  bool timerActive() const { return timer_.isActive(); }

 private:
  void Apply(const HoverEffects& effects);

  ControlRegistry& controls_;
  ContextSource context_;
  RollingSwitch rolling_;
  HoverModel model_;
  QTimer timer_;
};

}  // namespace zelko
