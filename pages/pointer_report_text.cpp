#include "pages/pointer_report_text.h"

#include <array>
#include <string_view>
#include <utility>

namespace zelko {

namespace {

// The words the page uses for the values the desktop is asked to apply.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kShownNames{{
    {kMouseSensitivityValue, "speed"},
    {kMouseSpeedValue, "precision"},
    {kDoubleClickSpeedValue, "double-click"},
    {kWheelScrollLinesValue, "scroll lines"},
}};

std::string_view ShownName(std::string_view name) {
  for (const auto& [value, shown] : kShownNames) {
    if (value == name) return shown;
  }
  return name;
}

}  // namespace

std::string DesktopOutcomeLine(const PointerApplyReport& report) {
  struct Group {
    ApplyOutcome outcome;
    std::string_view heading;
    std::string names;
  };
  std::array<Group, 3> groups{{{ApplyOutcome::Taken, "Desktop took: ", {}},
                               {ApplyOutcome::NoPlace, "kept only: ", {}},
                               {ApplyOutcome::Failed, "refused: ", {}}}};
  for (const PointerSettingResult& setting : report.settings) {
    if (!setting.applied) continue;
    for (Group& group : groups) {
      if (group.outcome != *setting.applied) continue;
      if (!group.names.empty()) group.names += ", ";
      group.names += ShownName(setting.name);
    }
  }
  std::string line;
  for (const Group& group : groups) {
    if (group.names.empty()) continue;
    if (!line.empty()) line += " \xC2\xB7 ";
    line += group.heading;
    line += group.names;
  }
  return line;
}

}  // namespace zelko
