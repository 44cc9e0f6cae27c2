// The seven-colour chooser of the normal LED: a borderless, topmost window
// on the "Msg" background with the palette's swatches, a marker under each,
// and Confirm, Clear and Close. Only Confirm hands the choice on.
#pragma once
#include <QWidget>
#include <functional>

#include "pages/dpi_page.h"
#include "shell/control_registry.h"

namespace zelko {

class ColourChooserWindow : public QWidget {
  Q_OBJECT
 public:
  // `languageIndex` picks the layout pack (family M) and the texts.
  ColourChooserWindow(QWidget* over, int targetLevel, int languageIndex,
                      std::function<void(const ColourChooser&)> confirmed);

  const ColourChooser& chooser() const { return chooser_; }
  ControlRegistry& controls() { return controls_; }

 private:
  void Build(int languageIndex);
  void ShowMarkers();

  ColourChooser chooser_;
  ControlRegistry controls_;
  std::function<void(const ColourChooser&)> confirmed_;
};

}  // namespace zelko
