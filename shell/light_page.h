// The Light page's widgets (the five radio pairs, the seven mode images,
// the step and LED-count bars, the two key-mode swatches) bound to the
// Light page model over the window's settings.
#pragma once
#include <QColor>
#include <QObject>
#include <functional>
#include <optional>

#include "pages/light_page_model.h"
#include "shell/control_registry.h"

namespace zelko {

class LightPage : public QObject {
  Q_OBJECT
 public:
  using ColourPicker = std::function<std::optional<QColor>(const QColor& initial)>;

  LightPage(QWidget* page, ControlRegistry& controls, MouseSettings& settings);

  void ApplyLayout(int barStyle);
  // After every read: the page from the settings, for the LED type read.
  void Refresh();

  const LightPageModel& model() const { return model_; }
  void SetColourPicker(ColourPicker picker) { pick_colour_ = std::move(picker); }

 private:
  void Build(QWidget* page);
  void Bind();
  void Show();

  ControlRegistry& controls_;
  MouseSettings& settings_;
  LightPageModel model_;
  ColourPicker pick_colour_;
};

}  // namespace zelko
