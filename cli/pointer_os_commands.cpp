// `pointer show` and `pointer set`: the OS pointer settings (speed,
// precision, double-click time, scroll lines) as the Advanced page shows and
// writes them.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/device_session.h"
#include "cli/pointer_commands.h"
#include "cli/pointer_show_json.h"
#include "base/clock.h"
#include "pointer/pointer_parameters.h"

#include "pointer/platform_pointer_store.h"

namespace zelko::cli {
namespace {

void PrintParameters(const PointerParameters& p) {
  std::cout << "Pointer speed: level " << p.speed_level << " (MouseSensitivity "
            << PointerSpeedForLevel(p.speed_level).value_or(0) << ")\n"
            << "Pointer precision: " << (p.precision_on() ? "on" : "off") << " (MouseSpeed "
            << p.precision.acceleration << ", MouseThreshold1 " << p.precision.threshold1
            << ", MouseThreshold2 " << p.precision.threshold2 << ")\n"
            << "Double-click speed: level " << p.double_click_level << " ("
            << DoubleClickTimeForLevel(p.double_click_level).value_or(0) << " ms)\n";
  if (p.one_screen()) {
    std::cout << "Scrolling: one screen at a time\n";
  } else {
    std::cout << "Scrolling: level " << p.scroll_level << " ("
              << ScrollLinesForLevel(p.scroll_level).value_or(0) << " lines)\n";
  }
}

const char* OutcomeText(ApplyOutcome outcome, bool desktop_asked) {
  switch (outcome) {
    case ApplyOutcome::Taken: return "taken by the desktop";
    case ApplyOutcome::NoPlace:
      return desktop_asked ? "kept only (the desktop has no such setting)"
                           : "kept only (the desktop was not asked: --no-desktop)";
    case ApplyOutcome::Failed: return "NOT taken by the desktop";
  }
  return "";
}

struct PointerSetOptions {
  std::optional<int> speed;
  std::optional<int> double_click;
  std::string scroll;
  std::string precision;
  bool no_desktop = false;
  bool dry_run = false;
  bool json = false;
};

// --dry-run: each value whose stored text would change, old and new;
// nothing is written and the desktop is not touched.
int PrintPointerDryRun(PointerStore& store, const PointerParameters& params, bool json) {
  nlohmann::json changes = nlohmann::json::array();
  std::string lines;
  for (const auto& planned : PointerStoredValues(params)) {
    if (!planned.value || !store.OpenKey(planned.key)) continue;
    const auto old_text = store.ReadValue(planned.key, planned.name);
    const std::string new_text = std::to_string(*planned.value);
    if (old_text == new_text) continue;
    changes.push_back({{"Name", planned.name},
                       {"Old", old_text ? nlohmann::json(*old_text) : nlohmann::json(nullptr)},
                       {"New", new_text}});
    lines += "  " + std::string(planned.name) + ": " + old_text.value_or("(not set)") + " -> " + new_text + "\n";
  }
  if (json) {
    auto out = PointerParametersJson(params);
    out["DryRun"] = true;
    out["Changes"] = changes;
    std::cout << out.dump(2) << "\n";
  } else {
    std::cout << lines << changes.size() << " value(s) would change; nothing was written (--dry-run).\n";
  }
  return kExitOk;
}

const char* OriginText(ValueOrigin origin) {
  switch (origin) {
    case ValueOrigin::kKept: return "kept";
    case ValueOrigin::kDesktop: return "desktop";
    case ValueOrigin::kNone: return "fallback";
  }
  return "";
}

// Which value came from where: the store ("kept"), the running desktop
// while nothing is kept yet, or nowhere (the fallback).
void PrintOrigins(const std::vector<PointerValueOriginEntry>& origins, const std::string& where) {
  const std::string desktop = "the desktop (nothing kept yet)";
  const std::string fallback = "not set, the fallback";
  std::cout << "Where each value came from:\n";
  for (const auto& o : origins) {
    std::cout << "  " << o.name << ": "
              << (o.origin == ValueOrigin::kKept      ? (where.empty() ? std::string("kept") : where)
                  : o.origin == ValueOrigin::kDesktop ? desktop
                                                      : fallback)
              << "\n";
  }
}

int RunPointerShow(bool json) {
  auto system = OpenPlatformPointerStore(/*use_desktop=*/true);
  const auto params = ReadPointerParameters(*system.store, PointerParameters{});
  // A store that is there but cannot be read shows nothing made up.
  if (system.error.empty() &&
      (!system.store->OpenKey(PointerKey::Mouse) || !system.store->OpenKey(PointerKey::Desktop))) {
    PrintError("pointer show: the pointer settings cannot be read: " + LastPointerStoreError(*system.store));
    return kExitFailure;
  }
  const auto origins = PointerValueOrigins(*system.store);
  if (json) {
    auto out = PointerShowJson(params, system.where);
    nlohmann::json from = nlohmann::json::object();
    for (const auto& o : origins) from[std::string(o.name)] = OriginText(o.origin);
    out["Origins"] = from;
    std::cout << out.dump(2) << "\n";
  } else {
    PrintParameters(params);
    PrintOrigins(origins, system.where);
    if (!system.where.empty()) std::cout << "Kept in: " << system.where << "\n";
  }
  return kExitOk;
}

int RunPointerSet(const PointerSetOptions& o) {
  if (!o.speed && !o.double_click && o.scroll.empty() && o.precision.empty()) {
    PrintError("pointer set: nothing to set; give --speed, --double-click, --scroll or --precision");
    return kExitBadInput;
  }
  auto system = OpenPlatformPointerStore(!o.no_desktop && !o.dry_run);
  if (!system.error.empty()) {
    PrintError("pointer set: nowhere to keep the pointer settings: " + system.error);
    return kExitFailure;
  }
  auto params = ReadPointerParameters(*system.store, PointerParameters{});
  if (o.speed) SetSpeedLevel(params, *o.speed);
  if (o.double_click) SetDoubleClickLevel(params, *o.double_click);
  if (o.scroll == "screen") {
    SetOneScreen(params, true);
  } else if (!o.scroll.empty()) {
    SetScrollLevel(params, std::stoi(o.scroll));
  }
  if (!o.precision.empty()) SetPrecision(params, o.precision == "on");
  if (o.dry_run) return PrintPointerDryRun(*system.store, params, o.json);

  const auto report = WriteAndApplyPointerParameters(*system.store, params);
  if (o.json) {
    auto out = PointerParametersJson(params);
    nlohmann::json settings = nlohmann::json::array();
    for (const auto& s : report.settings) {
      nlohmann::json entry = {{"Name", s.name}, {"Written", s.written}, {"Stored", s.stored}};
      if (s.applied) {
        entry["Desktop"] = *s.applied == ApplyOutcome::Taken     ? "taken"
                           : o.no_desktop                        ? "not-asked"
                           : *s.applied == ApplyOutcome::NoPlace ? "no-place"
                                                                 : "failed";
      }
      settings.push_back(entry);
    }
    out["Settings"] = settings;
    out["Store"] = system.where;
    std::cout << out.dump(2) << "\n";
  } else {
    PrintParameters(params);
    for (const auto& s : report.settings) {
      if (s.written.empty()) continue;
      std::cout << "  " << s.name << " = " << s.written << ": "
                << (s.stored ? "kept" : "NOT kept");
      if (s.applied) std::cout << ", " << OutcomeText(*s.applied, !o.no_desktop);
      std::cout << "\n";
    }
    if (!system.where.empty()) std::cout << "Kept in: " << system.where << "\n";
  }
  if (!report.all_stored() || !report.mouse_key_opened || !report.desktop_key_opened) {
    PrintError("pointer set: the settings could not all be kept: " + LastPointerStoreError(*system.store));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void RegisterPointerOsCommands(CLI::App& app, CliContext& context) {
  auto* pointer = app.add_subcommand(
      "pointer", "The OS pointer settings: speed, precision, double-click speed and scrolling");
  pointer->require_subcommand(1);

  auto* show = pointer->add_subcommand("show", "Print the pointer settings as the Advanced page shows them");
  auto show_json = std::make_shared<bool>(false);
  show->add_flag("--json", *show_json, "Print JSON");
  show->callback([&context, show_json] { context.exit_code = RunPointerShow(*show_json); });

  auto* set = pointer->add_subcommand(
      "set",
      "Write the pointer settings and apply them to the running desktop (GNOME: speed, "
      "acceleration profile, double-click time; all six values are kept in "
      "$XDG_CONFIG_HOME/zelko77/pointer.ini on Linux, in the registry on Windows)");
  auto o = std::make_shared<PointerSetOptions>();
  set->add_option("--speed", o->speed, "Pointer speed level 1..11")
      ->check(CLI::Range(1, kPointerLevelCount));
  set->add_option("--double-click", o->double_click, "Double-click speed level 1..11 (1 is slowest)")
      ->check(CLI::Range(1, kPointerLevelCount));
  set->add_option("--scroll", o->scroll, "Scroll level 1..11, or \"screen\" for one screen at a time")
      ->check(CLI::IsMember({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "screen"}));
  set->add_option("--precision", o->precision, "Pointer precision (acceleration): on or off")
      ->check(CLI::IsMember({"on", "off"}));
  set->add_flag("--no-desktop", o->no_desktop,
                "Only keep the values; leave the running desktop alone");
  set->add_flag("--dry-run", o->dry_run,
                "Print each value that would change, old and new; write nothing and leave the desktop alone");
  set->add_flag("--json", o->json, "Print JSON");
  set->callback([&context, o] { context.exit_code = RunPointerSet(*o); });
}

}  // namespace zelko::cli
