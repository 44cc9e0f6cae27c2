// The image commands of zelko77ctl: read, show, save, load, reset,
// defaults, restore, backups, watch.
#pragma once
#include <string>

#include "cli/cli_context.h"

namespace zelko::cli {

struct WriteOptions {
  bool dry_run = false;
};

void RunRead(CliContext& context);
void RunShow(CliContext& context, bool json);
void RunSave(CliContext& context, const std::string& path);
void RunLoad(CliContext& context, const std::string& path, const WriteOptions& options);
void RunReset(CliContext& context, int image, const WriteOptions& options);
void RunDefaults(CliContext& context, const WriteOptions& options);
// The named backup, or the newest one when `path` is empty.
void RunRestore(CliContext& context, const std::string& path, const WriteOptions& options);
void RunBackups(CliContext& context);

struct WatchOptions {
  int ticks = 0;                // polls to run; 0: until interrupted
  unsigned interval_ms = 3500;  // DevTimer
};
void RunWatch(CliContext& context, const WatchOptions& options);

}  // namespace zelko::cli
