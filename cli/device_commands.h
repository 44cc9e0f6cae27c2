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
};

void RunInfo(CliContext& context, const InfoOptions& options);
void RunDump(CliContext& context, const DumpOptions& options);
void RunDoctor(CliContext& context, const DoctorOptions& options);

}  // namespace zelko::cli
