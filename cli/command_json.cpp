#include "cli/command_json.h"

#include <filesystem>

namespace zelko::cli {
namespace {

Json Versioned(std::string_view command) {
  return {{"schema_version", kCommandSchemaVersion}, {"command", command}};
}

// The kind digit a macro line starts with ("1 A CODE:8204" is 1).
Json LineKind(const std::string& line) {
  if (!line.empty() && line[0] >= '0' && line[0] <= '9') return line[0] - '0';
  return nullptr;
}

}  // namespace

Json BackupsJson(const std::string& folder, const std::vector<std::string>& paths) {
  Json out = Versioned("backups");
  out["folder"] = folder;
  Json backups = Json::array();
  for (const std::string& path : paths) {
    backups.push_back({{"path", path}, {"name", std::filesystem::path(path).filename().string()}});
  }
  out["backups"] = backups;
  return out;
}

Json DoctorJson(const std::vector<DoctorFinding>& findings, bool mouse_found) {
  Json out = Versioned("doctor");
  Json list = Json::array();
  bool problems = false;
  for (const DoctorFinding& finding : findings) {
    list.push_back({{"problem", finding.problem},
                    {"text", finding.text},
                    {"fix", finding.fix.empty() ? Json(nullptr) : Json(finding.fix)}});
    problems = problems || finding.problem;
  }
  out["mouse_found"] = mouse_found;
  out["problems"] = problems;
  out["findings"] = list;
  return out;
}

Json LabelJson(const std::string& code, const std::string& label, int language) {
  Json out = Versioned("label");
  out["code"] = code;
  out["label"] = label;
  out["language"] = language;
  return out;
}

Json MacroListJson(const std::string& library_file, const std::vector<MacroListEntry>& macros) {
  Json out = Versioned("macro list");
  out["library"] = library_file;
  Json list = Json::array();
  for (const MacroListEntry& macro : macros) list.push_back({{"entry", macro.entry}, {"name", macro.name}});
  out["macros"] = list;
  return out;
}

Json MacroShowJson(const std::string& name, const MacroLines& lines, bool release_stop) {
  Json out = Versioned("macro show");
  out["name"] = name;
  out["header"] = lines.empty() ? Json(nullptr) : Json(lines.front());
  out["release"] = release_stop ? "stop" : "continue";
  Json events = Json::array();
  for (std::size_t i = 1; i < lines.size(); ++i) events.push_back({{"kind", LineKind(lines[i])}, {"line", lines[i]}});
  out["events"] = events;
  return out;
}

Json MacroSlotsJson(const DeviceMacroSlots& slots) {
  Json out = Versioned("macro slots");
  Json list = Json::array();
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const std::string name = slots.ShownName(slot);
    list.push_back({{"slot", slot}, {"name", name.empty() ? Json(nullptr) : Json(name)}});
  }
  out["slots"] = list;
  return out;
}

Json KeyTestStartJson() {
  Json out = Versioned("keytest");
  out["event"] = "start";
  return out;
}

Json KeyTestPressJson(std::uint64_t time_ms, int button) {
  Json out = Versioned("keytest");
  out["event"] = "press";
  out["time_ms"] = time_ms;
  out["button"] = button;
  return out;
}

Json KeyTestEndJson(bool interrupted, std::uint64_t elapsed_ms, int presses) {
  Json out = Versioned("keytest");
  out["event"] = "end";
  out["reason"] = interrupted ? "interrupted" : "quiet";
  out["time_ms"] = elapsed_ms;
  out["presses"] = presses;
  return out;
}

Json WatchStartJson(std::string_view time_of_day, unsigned interval_ms) {
  Json out = Versioned("watch");
  out["event"] = "start";
  out["time"] = time_of_day;
  out["interval_ms"] = interval_ms;
  return out;
}

Json WatchStateJson(std::string_view time_of_day, std::string_view state,
                    std::optional<std::pair<unsigned, unsigned>> identity_codes) {
  Json out = Versioned("watch");
  out["event"] = "state";
  out["time"] = time_of_day;
  out["state"] = state;
  if (identity_codes) {
    out["identity"] = {{"manufacturer_code", identity_codes->first}, {"product_code", identity_codes->second}};
  }
  return out;
}

}  // namespace zelko::cli
