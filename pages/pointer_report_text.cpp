#include "pages/pointer_report_text.h"

#include <array>
#include <utility>

namespace zelko {

namespace {

// The pack id of each value the desktop is asked to apply.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kShownNameIds{{
    {kMouseSensitivityValue, kSpeedTextId},
    {kMouseSpeedValue, kPrecisionTextId},
    {kDoubleClickSpeedValue, kDoubleClickTextId},
    {kWheelScrollLinesValue, kScrollLinesTextId},
}};

std::string ShownName(std::string_view name, const PackText& text) {
  for (const auto& [value, id] : kShownNameIds) {
    if (value == name) return text(id);
  }
  return std::string(name);
}

}  // namespace

std::string DesktopOutcomeLine(const PointerApplyReport& report, const PackText& text) {
  struct Group {
    ApplyOutcome outcome;
    std::string_view heading_id;
    std::string names;
  };
  std::array<Group, 3> groups{{{ApplyOutcome::Taken, kDesktopTookTextId, {}},
                               {ApplyOutcome::NoPlace, kKeptOnlyTextId, {}},
                               {ApplyOutcome::Failed, kRefusedTextId, {}}}};
  for (const PointerSettingResult& setting : report.settings) {
    if (!setting.applied) continue;
    for (Group& group : groups) {
      if (group.outcome != *setting.applied) continue;
      if (!group.names.empty()) group.names += ", ";
      group.names += ShownName(setting.name, text);
    }
  }
  std::string line;
  for (const Group& group : groups) {
    if (group.names.empty()) continue;
    if (!line.empty()) line += " \xC2\xB7 ";
    line += text(group.heading_id) + ": " + group.names;
  }
  return line;
}

}  // namespace zelko
