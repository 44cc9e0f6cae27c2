// set-dpi, set-aim, set-fire and set-led: each reads the mouse, changes its
// settings, encodes them with the same encoder as the window, and writes the
// image back with verification.
#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>

#include "cli/device_session.h"
#include "cli/pointer_commands.h"
#include "cli/pointer_edits.h"
#include "cli/pointer_image_write.h"

namespace zelko::cli {
namespace {

// "3=1600" -> {3, "1600"}.
bool SplitLevelPair(const std::string& text, int& level, std::string& value) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return false;
  try {
    std::size_t used = 0;
    level = std::stoi(text.substr(0, eq), &used);
    if (used != eq) return false;
  } catch (const std::exception&) {
    return false;
  }
  value = text.substr(eq + 1);
  return true;
}

std::optional<bool> OnOffOption(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return text == "on";
}

void AddOnOff(CLI::App* cmd, const std::string& name, std::string& into, const std::string& help) {
  cmd->add_option(name, into, help)->check(CLI::IsMember({"on", "off"}));
}

struct DpiOptions {
  std::optional<int> count;
  std::vector<std::string> values;
  std::vector<std::string> colours;
  std::optional<int> current;
  bool dry_run = false;
};

struct LedOptions {
  LedEdit edit;
  std::string type, led, mcpi, lcpi, save_key_mode, brightness, modes;
  bool dry_run = false;
};

int RunSetDpi(CliContext& context, const DpiOptions& o) {
  DpiEdit edit;
  edit.count = o.count;
  edit.current = o.current;
  for (const auto& text : o.values) {
    int level = 0;
    std::string dpi;
    int value = 0;
    try {
      if (!SplitLevelPair(text, level, dpi)) throw std::invalid_argument(text);
      std::size_t used = 0;
      value = std::stoi(dpi, &used);
      if (used != dpi.size()) throw std::invalid_argument(text);
    } catch (const std::exception&) {
      PrintError("set-dpi: --value takes LEVEL=DPI (e.g. 3=1600), not \"" + text + "\"");
      return kExitBadInput;
    }
    edit.values.emplace_back(level, value);
  }
  for (const auto& text : o.colours) {
    int level = 0;
    std::string colour;
    if (!SplitLevelPair(text, level, colour)) {
      PrintError("set-dpi: --colour takes LEVEL=NAME or LEVEL=#RRGGBB, not \"" + text + "\"");
      return kExitBadInput;
    }
    edit.colours.emplace_back(level, colour);
  }
  if (!edit.count && edit.values.empty() && edit.colours.empty() && !edit.current) {
    PrintError("set-dpi: nothing to set; give --count, --value, --colour or --current");
    return kExitBadInput;
  }
  return RunSettingsEdit(
      context, "set-dpi",
      [edit](MouseSettings& settings) { return ApplyDpiEdit(edit, settings); },
      o.dry_run);
}

int RunSetLed(CliContext& context, LedOptions o) {
  auto& e = o.edit;
  if (!o.type.empty()) e.type = o.type;
  e.led_on = OnOffOption(o.led);
  e.mcpi = OnOffOption(o.mcpi);
  e.lcpi = OnOffOption(o.lcpi);
  e.save_key_mode = OnOffOption(o.save_key_mode);
  if (!o.brightness.empty()) e.brightness = o.brightness;
  if (!o.modes.empty()) {
    std::vector<int> modes;
    std::stringstream in(o.modes);
    std::string item;
    while (std::getline(in, item, ',')) {
      if (item.size() != 1 || item[0] < '1' || item[0] > '7') {
        PrintError("set-led: --modes takes mode numbers 1..7 separated by commas, not \"" + o.modes + "\"");
        return kExitBadInput;
      }
      modes.push_back(item[0] - '0');
    }
    e.modes = modes;
  }
  const bool anything = e.type || e.led_on || e.mcpi || e.lcpi || e.save_key_mode || e.brightness ||
                        e.led_count || e.modes || e.mode || e.step || e.breath ||
                        e.key_mode1_colour || e.key_mode2_colour;
  if (!anything) {
    PrintError("set-led: nothing to set (see set-led --help)");
    return kExitBadInput;
  }
  const LedEdit edit = e;
  return RunSettingsEdit(
      context, "set-led",
      [edit](MouseSettings& settings) { return ApplyLedEdit(edit, settings); },
      o.dry_run);
}

}  // namespace

void RegisterPointerImageCommands(CLI::App& app, CliContext& context) {
  // set-dpi
  auto* dpi = app.add_subcommand("set-dpi", "Change the DPI levels: count, values, colours, current level");
  auto dpi_options = std::make_shared<DpiOptions>();
  dpi->add_option("--count", dpi_options->count, "Number of levels, 2..7; the highest becomes current")
      ->check(CLI::Range(2, 7));
  dpi->add_option("--value", dpi_options->values,
                  "LEVEL=DPI, e.g. 3=1600 (500, 800, 1000, 1200, 1600, 2000, 2400, 3200, 4000, "
                  "4800 or 6400); repeatable");
  dpi->add_option("--colour,--color", dpi_options->colours,
                  "LEVEL=COLOUR: a palette name (Red, Green, Yellow, Blue, Purple, Cyan, White) "
                  "with the normal LED, #RRGGBB with the MCU LED; repeatable");
  dpi->add_option("--current", dpi_options->current, "The level in use, 1..count");
  dpi->add_flag("--dry-run", dpi_options->dry_run, "Print what would change; write nothing");
  dpi->callback([&context, dpi_options] { context.exit_code = RunSetDpi(context, *dpi_options); });

  // set-aim
  auto* aim = app.add_subcommand("set-aim", "Set the DPI of the AIM key (every button that carries AIM)");
  auto aim_dpi = std::make_shared<int>(0);
  auto aim_dry = std::make_shared<bool>(false);
  aim->add_option("DPI", *aim_dpi, "500, 800, 1000, 1200, 1600, 2000, 2400, 3200, 4000, 4800 or 6400")
      ->required();
  aim->add_flag("--dry-run", *aim_dry, "Print what would change; write nothing");
  aim->callback([&context, aim_dpi, aim_dry] {
    const int dpi_value = *aim_dpi;
    context.exit_code = RunSettingsEdit(
        context, "set-aim",
        [dpi_value](MouseSettings& settings) { return ApplyAimEdit(dpi_value, settings); },
        *aim_dry);
  });

  // set-fire
  auto* fire = app.add_subcommand("set-fire", "Set the fire key's repeat count and interval");
  auto fire_edit = std::make_shared<FireEdit>();
  auto fire_dry = std::make_shared<bool>(false);
  fire->add_option("--count", fire_edit->count, "Shots per press, 2..127")->check(CLI::Range(2, 127));
  fire->add_option("--interval", fire_edit->interval, "Pause after each shot, 0..255 (units of 8 ms)")
      ->check(CLI::Range(0, 255));
  fire->add_flag("--dry-run", *fire_dry, "Print what would change; write nothing");
  fire->callback([&context, fire_edit, fire_dry] {
    if (!fire_edit->count && !fire_edit->interval) {
      PrintError("set-fire: nothing to set; give --count or --interval");
      context.exit_code = kExitBadInput;
      return;
    }
    const FireEdit edit = *fire_edit;
    context.exit_code = RunSettingsEdit(
        context, "set-fire",
        [edit](MouseSettings& settings) { return ApplyFireEdit(edit, settings); },
        *fire_dry);
  });

  // set-led
  auto* led = app.add_subcommand("set-led", "Change the lighting");
  auto o = std::make_shared<LedOptions>();
  led->add_flag("--engineer", o->edit.engineer, "Engineer mode: allows changing the LED type");
  led->add_option("--type", o->type, "LED type: normal or mcu (needs --engineer)")
      ->check(CLI::IsMember({"normal", "mcu"}));
  AddOnOff(led, "--led", o->led, "LED on or off");
  AddOnOff(led, "--mcpi", o->mcpi, "M+CPI switch (middle + DPI button turns the LED on/off): on or off");
  AddOnOff(led, "--lcpi", o->lcpi, "L+CPI switch (left + DPI button changes the mode; MCU LED): on or off");
  AddOnOff(led, "--save-key-mode", o->save_key_mode,
           "on: the mouse keeps its key mode over power-up; off: it starts in key mode A");
  led->add_option("--brightness", o->brightness, "MCU LED brightness: full or half")
      ->check(CLI::IsMember({"full", "half"}));
  led->add_option("--count", o->edit.led_count, "Number of LEDs of the MCU LED, 4..13")
      ->check(CLI::Range(4, 13));
  led->add_option("--modes", o->modes, "MCU LED modes offered, e.g. 1,2,5");
  led->add_option("--mode", o->edit.mode, "Current mode (MCU LED: an offered mode 1..7; normal LED: 1)")
      ->check(CLI::Range(1, 7));
  led->add_option("--step", o->edit.step, "MCU LED step 0..7")->check(CLI::Range(0, 7));
  led->add_option("--breath", o->edit.breath, "Normal LED breathing rate 0..255")->check(CLI::Range(0, 255));
  led->add_option("--key-mode-a-colour", o->edit.key_mode1_colour, "Colour flashed for key mode A, #RRGGBB");
  led->add_option("--key-mode-b-colour", o->edit.key_mode2_colour, "Colour flashed for key mode B, #RRGGBB");
  led->add_flag("--dry-run", o->dry_run, "Print what would change; write nothing");
  led->callback([&context, o] { context.exit_code = RunSetLed(context, *o); });
}

}  // namespace zelko::cli
