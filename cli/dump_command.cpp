#include <array>
#include <cstdio>
#include <string>

#include "cli/device_commands.h"
#include "cli/device_session.h"
#include "cli/id_text.h"
#include "base/atomic_file.h"

namespace zelko::cli {
namespace {

constexpr std::size_t kBytesPerLine = 16;

void PrintHexDump(std::span<const std::uint8_t> bytes) {
  for (std::size_t line = 0; line < bytes.size(); line += kBytesPerLine) {
    std::printf("%04zX:", line);
    for (std::size_t i = line; i < line + kBytesPerLine && i < bytes.size(); ++i) {
      std::printf(" %02X", bytes[i]);
    }
    std::printf("\n");
  }
}

}  // namespace

void RunDump(CliContext& context, const DumpOptions& options) {
  auto session = OpenDeviceSession(context);
  if (!session) return;
  if (!BeginConfigurableExchange(*session, context)) {
    session->Finish(context);
    return;
  }
  CommandChannel& channel = session->channel();
  std::array<std::uint8_t, kDeviceMemorySize> memory{};
  BlockTransferReport report;
  const bool read = channel.ReadBlockWithProgress(0x0000, kDeviceMemorySize, memory, &report);
  session->ui().HideProgress();
  // The bytes were read before the closing pair: an unanswered end is told,
  // but the dump is whole all the same.
  if (!channel.EndExchange()) PrintError(std::string("note: ") + kEndNotAcknowledgedText);

  if (!read) {
    PrintError("the mouse did not acknowledge the block read; nothing was written");
    context.exit_code = kExitTransferFailed;
  } else if (!report.all_acknowledged()) {
    const int first = report.unacknowledged_chunks.front();
    PrintError(std::to_string(report.unacknowledged_chunks.size()) + " of " +
               std::to_string(report.chunk_count) +
               " chunks were not acknowledged (the first at address " +
               HexText(static_cast<std::uint32_t>(first * kChunkDataLength), 4) +
               "); nothing was written. Try again.");
    context.exit_code = kExitTransferFailed;
  } else if (options.output.empty()) {
    PrintHexDump(memory);
  } else if (const std::string error = WriteFileAtomically(options.output, memory); !error.empty()) {
    PrintError(error);
    context.exit_code = kExitFailure;
  }
  session->Finish(context);
}

}  // namespace zelko::cli
