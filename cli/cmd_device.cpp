// zelko77ctl commands of this area: info, dump, doctor, report.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/device_commands.h"

namespace zelko::cli {

void RegisterDeviceCommands(CLI::App& app, CliContext& context) {
  auto info = std::make_shared<InfoOptions>();
  auto* info_cmd = app.add_subcommand(
      "info",
      "Find and open the mouse, run the opening handshake and print its path, ids, version, "
      "status flag, chip id, whether it is configurable and its two identity bytes");
  info_cmd->add_flag("--json", info->json, "Print JSON (docs/json/info.schema.json) instead of text");
  info_cmd->callback([&context, info] { RunInfo(context, *info); });

  auto dump = std::make_shared<DumpOptions>();
  auto* dump_cmd = app.add_subcommand(
      "dump", "Read all 2048 bytes of the mouse's memory into a file, or print them as hex");
  dump_cmd->add_option("-o,--output", dump->output, "Write the 2048 raw bytes to FILE");
  dump_cmd->callback([&context, dump] { RunDump(context, *dump); });

  auto doctor = std::make_shared<DoctorOptions>();
  auto* doctor_cmd = app.add_subcommand(
      "doctor",
      "Check what stands between you and the mouse (hidraw nodes, permissions, another "
      "program holding it, the udev rule) and print the exact fix");
  doctor_cmd->add_flag("--install-udev-rule", doctor->install_rule,
                       "Install the udev rule for the mouse's ids (needs root rights)");
  doctor_cmd->add_option("--rules-dir", doctor->rules_dir,
                         "Folder of the udev rule (default /etc/udev/rules.d)");
  doctor_cmd->add_option("--hidraw-root", doctor->hidraw_root,
                         "Look for hidraw nodes under DIR/sys/class/hidraw and DIR/dev (for tests)")
      ->group("");  // not shown in --help
  AddJsonFlag(*doctor_cmd, context);
  doctor_cmd->callback([&context, doctor] { RunDoctor(context, *doctor); });

  auto report = std::make_shared<std::string>();
  auto* report_cmd = app.add_subcommand(
      "report",
      "Run doctor, info and a read with their traffic recorded, and put what they printed and "
      "exchanged, the versions and the platform into one archive to attach to a problem report");
  report_cmd->add_option("FILE", *report, "The archive (default zelko77-report-DATE-TIME.tar.gz here)");
  report_cmd->callback([&context, report] { RunReport(context, *report); });
}

}  // namespace zelko::cli
