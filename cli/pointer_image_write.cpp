#include "cli/pointer_image_write.h"

#include <cstdio>
#include <iostream>

#include "cli/device_session.h"
#include "image/field_names.h"
#include "image/image_flows.h"
#include "image/workspace.h"

namespace zelko::cli {
namespace {

void PrintDryRun(const DataBuf& before, const DataBuf& after) {
  int changes = 0;
  for (std::size_t address = 0; address < kDataBufSize; ++address) {
    if (before[address] == after[address]) continue;
    ++changes;
    char line[64];
    std::snprintf(line, sizeof line, "0x%03zX  %02X -> %02X  ", address, before[address],
                  after[address]);
    std::cout << line << FieldNameAt(address) << "\n";
  }
  if (changes == 0) std::cout << "nothing would change\n";
}

}  // namespace

int RunPointerImageEdit(CliContext& context, std::string_view command, const PointerImageEdit& edit,
                        bool dry_run) {
  const std::string name(command);
  auto session = OpenDeviceSession(context);
  if (!session) return context.exit_code;
  if (!BeginConfigurableExchange(*session, context)) return context.exit_code;

  Workspace workspace;
  PointerWorkspace pointer;
  InstallPointerHooks(workspace.hooks, pointer);
  ImageFlows flows(workspace, session->channel(), session->ui(), session->clock());
  const auto read = flows.Btn_Read();
  if (!read.ok()) {
    PrintError(name + ": the mouse's memory could not be read whole; nothing was written");
    session->Finish(context);
    return kExitTransferFailed;
  }

  const DataBuf before = workspace.data_buf;
  if (const auto refused = edit(workspace.record, pointer); !refused.empty()) {
    PrintError(name + ": " + refused + "; nothing was written");
    session->Finish(context);
    return kExitBadInput;
  }

  if (dry_run) {
    workspace.PackImage();
    PrintDryRun(before, workspace.data_buf);
    session->Finish(context);
    return context.exit_code;
  }

  const auto written = flows.DownloadParameter();
  int status = kExitOk;
  if (!written.ok()) {
    PrintError(name + ": the mouse did not take the new settings (the write did not verify)");
    status = kExitTransferFailed;
  }
  if (!session->Finish(context)) return context.exit_code;
  return status;
}

}  // namespace zelko::cli
