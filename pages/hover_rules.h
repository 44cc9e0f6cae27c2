// What the skinned buttons show on hover, leave and press, and the hover
// state of the window: which hovered button's caption rolls, and when the
// LabelRun timer runs. The window passes in what it sees (the label's
// caption, whether it takes the mouse) and applies the effects returned.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/button_families.h"
#include "pages/image_change.h"
#include "pages/page_navigation.h"
#include "pages/text_roll.h"

namespace zelko {

// What the rules need to know of the window.
struct HoverContext {
  Page checkedPage = Page::Main;
  bool pageLocked = false;
  int checkedLanguage = 1;
  bool deviceConnected = false;
};

ImageChanges HoverEnterImages(const SkinButtonRef& button, const HoverContext& context);
ImageChanges HoverLeaveImages(const SkinButtonRef& button, const HoverContext& context);
// The pressed look of the action and web buttons (other families: nothing).
ImageChanges PressImages(const SkinButtonRef& button);

// Whether hovering the button rolls its caption.
bool RollsCaption(ButtonFamily family);

struct CaptionChange {
  std::string label;    // "Btn_Apply_2"
  std::string caption;  // UTF-8
  bool operator==(const CaptionChange&) const = default;
};

enum class TimerChange { None, Start, Stop };

// What one hover or leave asks of the window, in this order: pictures,
// captions, then the LabelRun timer.
struct HoverEffects {
  ImageChanges images;
  std::vector<CaptionChange> captions;
  TimerChange timer = TimerChange::None;
};

class HoverModel {
 public:
  // The mouse entered `labelName`, whose caption is `caption`; a label that
  // is disabled shows its hover picture but does not start the timer.
  HoverEffects Enter(std::string_view labelName, std::string_view caption, bool labelEnabled,
                     const HoverContext& context);
  HoverEffects Leave(std::string_view labelName, const HoverContext& context);
  // One LabelRun tick: the rolled caption, when it moved.
  std::optional<CaptionChange> Tick(bool rollingEnabled);
  // A language switch under the mouse: leaving restores this caption.
  void RememberCaption(std::string_view labelName, std::string_view caption);

  const TextRoll& roll() const { return roll_; }

 private:
  TextRoll roll_;
};

}  // namespace zelko
