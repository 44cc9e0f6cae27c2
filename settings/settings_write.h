// Apply as both programs run it: the settings encoded into the working
// record, packed with fresh checksums, the OS pointer settings applied, and
// the image written and verified.
#pragma once
#include <functional>

#include "image/image_flows.h"
#include "settings/mouse_settings.h"

namespace zelko {

// With the 110 ms wait and the DeviceHandle check of the Apply button.
[[nodiscard]] FlowResult ApplySettings(ImageFlows& flows, const MouseSettings& settings,
                                       const std::function<void()>& apply_os_settings = {});

// Without them, for a command that has just read the mouse.
[[nodiscard]] FlowResult WriteSettings(ImageFlows& flows, const MouseSettings& settings,
                                       const std::function<void()>& apply_os_settings = {});

// The settings encoded into the working record and the image packed from
// it: what a command writes with WriteImage after showing the changes.
void PackSettings(const MouseSettings& settings, Workspace& workspace);

// The image the write would send: data_buf with the settings encoded and
// packed. Nothing in `workspace` changes.
DataBuf PackedImage(const Workspace& workspace, const MouseSettings& settings);

}  // namespace zelko
