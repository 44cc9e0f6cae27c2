#include "shell/shell_options.h"

#include <CLI/CLI.hpp>
#include <charconv>

#include "sim/sim_options.h"

namespace zelko {

namespace {

std::optional<std::uint32_t> ParseHex(const std::string& text) {
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) digits.remove_prefix(2);
  if (digits.empty() || digits.size() > 4) return std::nullopt;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// "VID:PID" in hexadecimal, both non-zero.
std::optional<DeviceIdentity> ParseIdentity(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const auto vid = ParseHex(text.substr(0, colon));
  const auto pid = ParseHex(text.substr(colon + 1));
  if (!vid || !pid || *vid == 0 || *pid == 0) return std::nullopt;
  return DeviceIdentity{*vid, *pid};
}

void AddSimulatorOptions(CLI::App& app, sim::SimOptionTexts& s) {
  const char* group = "Simulated mouse (with --simulate)";
  app.add_option("--sim-ids", s.ids, "VID:PID the simulated mouse reports")->group(group);
  app.add_option("--sim-chip", s.chip, "Chip code of the status reply, HEX (0x75 = chip 0x99)")->group(group);
  app.add_option("--sim-signature", s.signature, "Status reply byte 1, HEX (0xAA when healthy)")->group(group);
  app.add_flag("--sim-no-flag", s.no_flag, "Status flag bit 2 clear (not configurable)")->group(group);
  app.add_option("--sim-identity", s.identity, "Identity bytes at 0x36,0x37 as HEX,HEX")->group(group);
  app.add_option("--sim-stuck", s.stuck, "Addresses that never keep a written byte, ADDR[,ADDR...]")->group(group);
  app.add_option("--sim-sticky", s.sticky, "Addresses that keep a byte only after K lost writes, ADDR:K[,...]")
      ->group(group);
  app.add_option("--sim-latency", s.latency_ms, "Milliseconds each report takes")->group(group);
  app.add_option("--sim-not-ready", s.not_ready, "Polls answered 'not ready' before each acknowledgement")
      ->group(group);
  app.add_option("--sim-ack", s.ack, "Acknowledgement byte HEX for the next N replies, as HEX:N")->group(group);
  app.add_flag("--sim-no-answer", s.no_answer, "The mouse never answers a Get Feature")->group(group);
  app.add_option("--sim-unacked-chunks", s.unacked_chunks, "Read chunks never acknowledged, N[,N...]")
      ->group(group);
  app.add_option("--sim-unplug-after", s.unplug_after, "Unplug the mouse after N reports")->group(group);
  app.add_option("--sim-buttons", s.buttons, "Button-state word of the status reply, HEX")->group(group);
}

}  // namespace

ShellOptionsResult ParseShellOptions(int argc, const char* const* argv) {
  ShellOptionsResult result;
  ShellOptions& o = result.options;
  CLI::App app{"zelko77 - the ZELKO77 gaming mouse configuration window"};
  std::string device;
  sim::SimOptionTexts simTexts;
  // Given without a value the option runs no callback, so whether it was
  // given is read from its count after parsing.
  CLI::Option* simulate =
      app.add_flag("--simulate{}", o.device.simulateFile,
                   "Talk to the simulated mouse; with =FILE its memory is loaded from and saved to FILE")
          ->expected(0, 1);
  app.add_option("--device", device, "Identity of the mouse as VID:PID in hexadecimal (default 3151:7707)");
  app.add_option("--screenshot", o.screenshotFolder,
                 "Render every page in every language to PNG files in DIR and end");
  app.add_option("--single-instance-key", o.instanceKey, "Key of the one-instance check (default: the title)")
      ->group("");
  AddSimulatorOptions(app, simTexts);
  // Qt's own arguments (-platform, -style ...) are left to Qt.
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    result.exitCode = 0;
    result.output = app.help();
    return result;
  } catch (const CLI::ParseError& e) {
    result.exitCode = 2;
    result.output = std::string(e.what()) + "\n";
    return result;
  }
  o.device.simulate = simulate->count() > 0;
  if (!device.empty()) {
    o.device.identity = ParseIdentity(device);
    if (!o.device.identity) {
      result.exitCode = 2;
      result.output = "--device: expected VID:PID in hexadecimal, got \"" + device + "\"\n";
      return result;
    }
  }
  const auto faults = sim::ParseSimOptions(simTexts);
  if (!faults.ok()) {
    result.exitCode = 2;
    result.output = faults.error + "\n";
    return result;
  }
  o.device.faults = faults.faults;
  return result;
}

}  // namespace zelko
