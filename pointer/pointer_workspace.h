// The pointer and lighting working state the window (or a command) keeps,
// and its wiring into the image flows: UIToDataBuf and AIMKeyToDataBuf when
// the image is packed, the engineer controls and the Advanced page refilled
// whenever the image is shown.
#pragma once
#include "image/image_hooks.h"
#include "pointer/dpi_page.h"
#include "pointer/engineer_controls.h"

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

// The refill alone: engineer controls, then the Advanced page.
void RefreshPointerWorkspace(const ParameterRecord& record, PointerWorkspace& workspace);

}  // namespace zelko
