// What the commands other than `show` print with --json: one JSON object
// each (keytest and watch: one object per line, as things happen). Every
// object carries "schema_version", the version of its schema in
// docs/json/<command>.schema.json; a change that could break a reader makes
// it the next one. Pure functions of what the commands found.
#pragma once
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/link_doctor.h"
#include "macros/device_slots.h"
#include "macros/macro_lines.h"

namespace zelko::cli {

using Json = nlohmann::ordered_json;

inline constexpr int kCommandSchemaVersion = 1;

// backups: the folder and its backups, newest first.
Json BackupsJson(const std::string& folder, const std::vector<std::string>& paths);

// doctor: each finding, and whether a mouse node was found at all.
Json DoctorJson(const std::vector<DoctorFinding>& findings, bool mouse_found);

// label: a code, its label in `language`.
Json LabelJson(const std::string& code, const std::string& label, int language);

// macro list: the library file and its macros in library order (entry
// numbers from 1).
struct MacroListEntry {
  std::size_t entry = 0;  // 1..100
  std::string name;
};
Json MacroListJson(const std::string& library_file, const std::vector<MacroListEntry>& macros);

// macro show: the header line and each event line (with its kind digit).
Json MacroShowJson(const std::string& name, const MacroLines& lines, bool release_stop);

// macro slots: the seven slots, an empty one with a null name.
Json MacroSlotsJson(const DeviceMacroSlots& slots);

// keytest, one line each: the start, every press, the end.
Json KeyTestStartJson();
Json KeyTestPressJson(std::uint64_t time_ms, int button);
Json KeyTestEndJson(bool interrupted, std::uint64_t elapsed_ms, int presses);

// watch, one line each: the start, and every change of state (with the
// identity codes once the mouse is ready).
Json WatchStartJson(std::string_view time_of_day, unsigned interval_ms);
Json WatchStateJson(std::string_view time_of_day, std::string_view state,
                    std::optional<std::pair<unsigned, unsigned>> identity_codes);

}  // namespace zelko::cli
