#include "pointer/pointer_workspace.h"

#include "pointer/aim_key.h"
#include "pointer/control_codec.h"

namespace zelko {

void RefreshPointerWorkspace(const ParameterRecord& record, PointerWorkspace& workspace) {
  RefreshEngineerControls(record, workspace.controls);
  RefreshDpiPage(record, workspace.controls, workspace.dpi_page);
}

void InstallPointerHooks(ImageHooks& hooks, PointerWorkspace& workspace) {
  hooks.ui_to_data_buf = [&workspace](ParameterRecord& record) {
    UIToDataBuf(workspace.controls, record);
  };
  hooks.aim_key_to_data_buf = [&workspace](ParameterRecord& record) {
    AIMKeyToDataBuf(record.Profile, static_cast<std::uint8_t>(workspace.dpi_page.aim_value_index));
  };
  auto previous = std::move(hooks.refresh_ui);
  hooks.refresh_ui = [&workspace, previous = std::move(previous)](
                         const ParameterRecord& record, const ProfileKeyCodes& codes) {
    RefreshPointerWorkspace(record, workspace);
    if (previous) previous(record, codes);
  };
}

void InstallPointerParameterHooks(ImageHooks& hooks, PointerParameters& params, PointerStore& store,
                                  std::function<void(const PointerApplyReport&)> on_applied) {
  hooks.reload_pointer_parameters = [&params, &store] {
    params = ReadPointerParameters(store, params);
  };
  hooks.apply_pointer_parameters = [&params, &store, on_applied = std::move(on_applied)] {
    const auto report = WriteAndApplyPointerParameters(store, params);
    if (on_applied) on_applied(report);
  };
}

}  // namespace zelko
