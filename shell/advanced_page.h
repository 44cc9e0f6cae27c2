// The Advanced page's widgets (the DPI levels with their bars, markers and
// swatches, the count list, the AIM bar, the fire edits and the three OS
// pointer bars with their two options) bound to the Advanced page model
// over the window's settings, and to the window's pointer parameters.
#pragma once
#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "pages/advanced_page_model.h"
#include "pointer/pointer_parameters.h"
#include "pointer/pointer_store.h"
#include "shell/colour_chooser_window.h"
#include "shell/control_registry.h"
#include "shell/layout_values.h"

namespace zelko {

struct AdvancedPageServices {
  MouseSettings* settings = nullptr;
  PointerParameters* pointer = nullptr;
  PointerStore* pointerStore = nullptr;
  // The program's message box.
  std::function<void(const QString&)> showMessage;
  // The language the chooser opens in.
  std::function<int()> languageIndex;
};

// The system colour dialog; nothing on Cancel.
using ColourPicker = std::function<std::optional<QColor>(const QColor& initial)>;

class AdvancedPage : public QObject {
  Q_OBJECT
 public:
  AdvancedPage(QWidget* page, ControlRegistry& controls, AdvancedPageServices services);

  // After the packs were applied: bar style, count list, colours, captions.
  void ApplyLayout(const LayoutSettings& layout, int barStyle, const QString& aimLabel);
  // After every read: the DPI, AIM and fire controls from the settings.
  void Refresh();
  // After the pointer settings were read.
  void RefreshPointer();

  const AdvancedPageModel& model() const { return model_; }
  // The open colour chooser (normal LED), if any.
  ColourChooserWindow* chooser() const { return chooser_; }
  void SetColourPicker(ColourPicker picker) { pick_colour_ = std::move(picker); }
  // What the last pointer write did.
  const PointerApplyReport& lastPointerReport() const { return pointer_report_; }

 private:
  void Build(QWidget* page);
  void BuildPointer(QWidget* page);
  void Bind();
  void ShowLevels();
  void ShowAim();
  void ShowPointer();
  // What the desktop did with the last pointer write, in the current language.
  void ShowPointerOutcome();
  void ShowBar(const QString& stem, const std::vector<bool>& lit, const char* on, const char* off);
  void SwatchClicked(int level);
  void PointerChanged();

  ControlRegistry& controls_;
  AdvancedPageServices services_;
  AdvancedPageModel model_;
  BarStyle bar_style_ = BarStyle::Slider;
  QColor selected_;
  QColor not_selected_;
  QPointer<ColourChooserWindow> chooser_;
  ColourPicker pick_colour_;
  PointerApplyReport pointer_report_;
  bool refreshing_ = false;
};

}  // namespace zelko
