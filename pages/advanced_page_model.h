// The Advanced page's DPI, AIM and fire controls over the window's
// settings. Every edit runs the page rules on the engineer controls (filled
// from the settings first, so edits made elsewhere are kept) and writes the
// controls back into the settings; Refresh redraws the page from the
// settings after every read.
#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "pages/dpi_page.h"
#include "pages/engineer_controls.h"
#include "settings/mouse_settings.h"

namespace zelko {

class AdvancedPageModel {
 public:
  void SetLayout(const DpiPageLayout& layout) { layout_ = layout; }
  const DpiPageLayout& layout() const { return layout_; }

  void Refresh(const MouseSettings& settings);

  // The count list or a level name; both make the highest level current.
  bool ChangeCount(MouseSettings& settings, int count);
  bool ClickLevelName(MouseSettings& settings, int level);
  // A marker click; refused (false) for an inactive level.
  bool ClickMarker(MouseSettings& settings, int level);
  // Notch 1..11 of level n's bar.
  bool ClickValueNotch(MouseSettings& settings, int level, int notch);
  // The seven-colour chooser's Confirm (normal LED).
  bool ConfirmColour(MouseSettings& settings, const ColourChooser& chooser);
  // The colour dialog's result (MCU LED).
  bool SetLevelColour(MouseSettings& settings, int level, const Rgb& rgb);
  // Notch 1..11 of the AIM bar; refused with the message when no button
  // carries AIM.
  AimChange ClickAimNotch(MouseSettings& settings, int notch);
  // Edt_Repeat1 and Edt_DelayTime1: typing, and leaving the repeat count.
  void EditRepeat(MouseSettings& settings, std::string_view text);
  void LeaveRepeat(MouseSettings& settings);
  void EditDelay(MouseSettings& settings, std::string_view text);

  const DpiPageState& page() const { return page_; }
  const EngineerControls& controls() const { return controls_; }
  // Lit notches of level n's bar and of the AIM bar, entry k-1 for notch k.
  std::vector<bool> ValueBar(int level) const;
  std::vector<bool> AimBar() const;
  std::optional<Rgb> Swatch(int level) const { return LevelSwatchColour(controls_, page_, level); }

 private:
  void Sync(const MouseSettings& settings);
  void Commit(MouseSettings& settings) const;

  DpiPageLayout layout_;
  EngineerControls controls_;
  DpiPageState page_;
};

}  // namespace zelko
