// Work of the button, macro and pointer code that the image flows call at
// fixed points. Every member may be left empty: an empty hook does nothing.
// The window fills them once at start-up; the command line fills the ones
// whose work it needs.
#pragma once
#include <functional>
#include <utility>

#include "image/parameter_record.h"

namespace zelko {

struct ImageHooks {
  // ReadAndRefreshMacro: split BaseMacroArea into the slot tables, validate
  // them and rebuild the device macro list. Called by UnpackImage right after
  // the macro area was copied into BaseMacroArea (every device read, factory
  // image, built-in defaults, profile load) and by the built-in defaults
  // after BaseMacroArea was zeroed.
  std::function<void(BaseMacroArea&)> read_and_refresh_macro;

  // Empty the macro editor's step list and its two text boxes. Called before
  // a factory image or the first factory image (no mouse) is unpacked.
  std::function<void()> clear_macro_editor;

  // RefreshUI: redraw every page from the record. Called by DataBufToUI
  // after ProfileKeyCodes were rebuilt from Profile.
  std::function<void(const ParameterRecord&, const ProfileKeyCodes&)> refresh_ui;

  // UIToDataBuf: the controls into the record. First step of PackImage,
  // before any checksum is computed.
  std::function<void(ParameterRecord&)> ui_to_data_buf;

  // AIMKeyToDataBuf: every AIM button gets 0x0A, AIM value index, 0x00 in
  // ParameterRecord.Profile. Called by PackImage after ParameterB was copied,
  // before the Profile checksum.
  std::function<void(ParameterRecord&)> aim_key_to_data_buf;

  // Apply the OS pointer parameters (speed, acceleration, double-click time,
  // wheel lines). Called by WriteWorkingCopies after packing, before the
  // exchange opens, whether or not a mouse answers.
  std::function<void()> apply_pointer_parameters;

  // Reload the OS pointer parameters into their controls. Called at the end
  // of a device read, after DataBufToUI.
  std::function<void()> reload_pointer_parameters;

  // Refresh the list of PC macro names. Called at the start of a device read.
  std::function<void()> refresh_pc_macro_names;

  // The end of a device read once the image is shown: show the main page,
  // clear the page lock and select the main page again when the hidden page
  // selector says so.
  std::function<void()> finish_read;

  // Close an open pop-up menu of the button editor. Called at the start of
  // every writing flow.
  std::function<void()> close_popup_menu;
};

// Runs a hook when it is set.
template <typename Hook, typename... Args>
void RunHook(const Hook& hook, Args&&... args) {
  if (hook) hook(std::forward<Args>(args)...);
}

}  // namespace zelko
