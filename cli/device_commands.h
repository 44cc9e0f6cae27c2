// The device commands of zelko77ctl; cmd_device.cpp wires them to CLI11.
#pragma once
#include <string>

#include "cli/cli_context.h"

namespace zelko::cli {

struct InfoOptions {
  bool json = false;
};
struct DumpOptions {
  std::string output;
};
struct DoctorOptions {
  bool install_rule = false;
  std::string rules_dir;
  // A folder that stands for "/" when looking for hidraw nodes (its
  // sys/class/hidraw and dev); empty for the machine's own. Tests give an
  // empty tree to get a machine without the mouse.
  std::string hidraw_root;
};

void RunInfo(CliContext& context, const InfoOptions& options);
void RunDump(CliContext& context, const DumpOptions& options);
void RunDoctor(CliContext& context, const DoctorOptions& options);
// doctor, info and read under recording, put into one archive at `path`
// (a name of its own in the current folder when empty).
void RunReport(CliContext& context, const std::string& path);

}  // namespace zelko::cli
