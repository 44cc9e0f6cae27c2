// What the image commands print: the mouse opened as every command opens
// it and read by the core's use case (session/use_cases.h), and the one
// path that writes an image: read, edit, pack, show or write (the use case
// keeps a backup first), verify; each outcome said on stdout or stderr.
//
// Another area's command that changes settings in the image calls
// RunImageWrite with an edit of the settings read from the mouse:
//
//   ImageWriteRequest request;
//   request.dry_run = dry_run;
//   request.edit_settings = [&](MouseSettings& s, Workspace&, std::string& error) {
//     s.dpi.count = 5;
//     return true;                             // false + error: bad input
//   };
//   RunImageWrite(context, request);           // sets context.exit_code
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "cli/device_session.h"
#include "image/image_flows.h"
#include "image/workspace.h"
#include "session/use_cases.h"
#include "settings/mouse_settings.h"

namespace zelko::cli {

class ImageSession {
 public:
  // Null when the mouse cannot be opened (message printed, exit code set).
  static std::unique_ptr<ImageSession> Open(CliContext& context);

  // Identifies the mouse as the connection does and reads its whole image.
  // False (message printed, exit code set) unless the image is now shown.
  // With `ranges` (image/section_read.h) only those are read.
  bool ReadMouse(CliContext& context, const std::vector<AddressRange>& ranges = {});

  // Writes workspace.data_buf as it is, verified, after a backup. Sets the
  // exit code and prints a failure; a success too unless `quiet`. The
  // report says what came of it (the backup kept, the flow's result).
  session::WriteReport WriteImage(CliContext& context, bool quiet = false);

  // Prints held messages and ends the device session (saves --simulate=FILE).
  void Finish(CliContext& context) { device_->Finish(context); }

  Workspace& workspace() { return device_->mouse().workspace(); }
  ImageFlows& flows() { return device_->mouse().flows(); }
  DeviceSession& device() { return *device_; }
  const FlowResult& last_read() const { return last_read_; }

 private:
  explicit ImageSession(std::unique_ptr<DeviceSession> device);

  std::unique_ptr<DeviceSession> device_;
  FlowResult last_read_;
};

enum class WriteMode {
  kPackSettings,  // encode the edited settings and pack the image (Apply)
  kWriteImage,    // write data_buf as the edit left it (resets, profiles)
};

struct ImageWriteRequest {
  WriteMode mode = WriteMode::kPackSettings;
  // Print what would change and write nothing.
  bool dry_run = false;
  // The command prints its own outcome: a write that succeeds prints none
  // of its steps (backup path, byte count, "Written and verified"); the
  // backup is kept all the same. Failures and --dry-run still print.
  bool quiet = false;
  // kPackSettings: changes the settings decoded from the image read (and
  // the macro area of the workspace, which no settings model holds).
  // kWriteImage: changes data_buf. Returning false stops the command with
  // kExitBadInput and writes nothing; a non-empty error is printed.
  std::function<bool(MouseSettings&, Workspace&, std::string& error)> edit_settings;
  std::function<bool(Workspace&, std::string& error)> edit;
  // The ranges the edit needs (image/section_read.h); empty: the whole
  // image. Ignored with --full.
  std::vector<AddressRange> ranges_to_read;
  // The write that makes the backup, as `backups` shows it ("set-button").
  BackupMaker made_by;
};

// Opens and reads the mouse, applies the edit, then either prints the
// changes (--dry-run) or backs up the image read, writes and verifies.
// Sets context.exit_code: 0 only when the mouse holds what was written.
void RunImageWrite(CliContext& context, const ImageWriteRequest& request);

// "0x002  04 -> 03  ParameterA.DpiLevelCount", one line per changed byte.
std::string DescribeChanges(const DataBuf& before, const DataBuf& after);

}  // namespace zelko::cli
