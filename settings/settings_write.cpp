#include "settings/settings_write.h"

namespace zelko {

FlowResult ApplySettings(ImageFlows& flows, const MouseSettings& settings,
                         const std::function<void()>& apply_os_settings) {
  return flows.ApplyImage(EncodedRecord(settings, flows.workspace().record), apply_os_settings);
}

FlowResult WriteSettings(ImageFlows& flows, const MouseSettings& settings,
                         const std::function<void()>& apply_os_settings) {
  return flows.WriteRecord(EncodedRecord(settings, flows.workspace().record), apply_os_settings);
}

void PackSettings(const MouseSettings& settings, Workspace& workspace) {
  EncodeMouseSettings(settings, workspace.record);
  workspace.PackImage();
}

DataBuf PackedImage(const Workspace& workspace, const MouseSettings& settings) {
  ParameterRecord record = EncodedRecord(settings, workspace.record);
  DataBuf image = workspace.data_buf;
  PackImage(record, workspace.base_macro_area, image);
  return image;
}

}  // namespace zelko
