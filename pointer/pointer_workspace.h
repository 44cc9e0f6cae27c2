// The pointer and lighting working state the window (or a command) keeps,
// and its wiring into the image flows: UIToDataBuf and AIMKeyToDataBuf when
// the image is packed, the engineer controls and the Advanced page refilled
// whenever the image is shown.
#pragma once
#include <functional>

#include "image/image_hooks.h"
#include "pointer/dpi_page.h"
#include "pointer/engineer_controls.h"
#include "pointer/pointer_parameters.h"
#include "pointer/pointer_store.h"

namespace zelko {

struct PointerWorkspace {
  EngineerControls controls;
  DpiPageState dpi_page;
  DpiPageLayout layout;
};

// Fills ui_to_data_buf and aim_key_to_data_buf and chains onto refresh_ui
// (a redraw hook already set still runs, after the pointer state is
// refilled). `workspace` must outlive the hooks.
void InstallPointerHooks(ImageHooks& hooks, PointerWorkspace& workspace);

// The OS pointer settings around the image flows: reloaded from `store`
// after every read of the mouse, written and applied before every write.
// `params` and `store` must outlive the hooks; `on_applied` (optional)
// receives each report so the window can say what the desktop took.
void InstallPointerParameterHooks(ImageHooks& hooks, PointerParameters& params, PointerStore& store,
                                  std::function<void(const PointerApplyReport&)> on_applied = {});

// The refill alone: engineer controls, then the Advanced page.
void RefreshPointerWorkspace(const ParameterRecord& record, PointerWorkspace& workspace);

}  // namespace zelko
