// What both programs do with the mouse, named by intent. The window's
// buttons, zelko77ctl's commands and their tests call these; the programs
// only say what came of them (session/outcomes.h: exit status or message).
//
// Every use case that writes keeps a backup of the image the mouse was
// last known to hold first (image/backup_store.h), and writes nothing when
// no backup could be kept.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "device/command_channel.h"
#include "image/backup_store.h"
#include "image/image_flows.h"
#include "image/profile_file.h"
#include "keys/button_assignment.h"
#include "macros/device_slots.h"
#include "macros/macro_record.h"
#include "session/mouse_session.h"
#include "session/outcomes.h"
#include "settings/mouse_settings.h"

namespace zelko::session {

// ---- opening --------------------------------------------------------------

// Finds and opens the configuration interface as both programs do (the
// setup's identity, version 0x0104, 8-byte reports). False when no such
// mouse is plugged in.
bool OpenInterface(MouseSession& mouse);

// ---- reading --------------------------------------------------------------

enum class ReadProblem {
  kNone,          // read whole and shown
  kRefused,       // the mouse refuses configuration (chip id, status flag)
  kForeign,       // its manufacturer and product codes are not accepted
  kIncomplete,    // parts of the image could not be read; nothing shown
  kBadSignature,  // it answered the status query with another signature
  kNoAnswer,      // the opening handshake went unanswered
};

struct [[nodiscard]] ReadReport {
  Outcome outcome = Outcome::kTransferFailed;
  ReadProblem problem = ReadProblem::kNoAnswer;
  FlowResult flow = FlowResult::Of(FlowStatus::kHandshakeFailed);
  ExchangeResult begin;             // the opening handshake
  IdentityCodes foreign_codes{};    // kForeign: what the mouse reported
  bool ok() const { return outcome == Outcome::kDone; }
};

// Identifies the mouse as the connection does and reads its whole image
// (the session must be connected).
ReadReport ReadMouse(MouseSession& mouse);

// ---- writing --------------------------------------------------------------

struct [[nodiscard]] WriteReport {
  Outcome outcome = Outcome::kDone;
  FlowResult flow;
  // The backup kept before the write (empty: none was needed or written).
  std::string backup_path;
  // Why no backup could be kept (the write did not happen).
  std::string backup_error;
  bool ok() const { return outcome == Outcome::kDone; }
  bool no_backup() const { return !backup_error.empty(); }
};

// The image the mouse was last known to hold, kept as a backup in
// mouse.backup_folder. Without an image read there is nothing to keep.
BackupSaved KeepBackup(MouseSession& mouse);

// What a flow result comes to.
Outcome OutcomeOf(const FlowResult& result);

// The image now in data_buf written and verified, after a backup
// (zelko77ctl's writes with kChangesOnly, Import Base Macro with kWhole).
WriteReport WriteShownImage(MouseSession& mouse, WriteExtent extent);

// Apply: every setting encoded, the image packed and written and verified
// (the OS pointer settings applied on the way), with the Apply button's
// wait and device check.
WriteReport ApplySettings(MouseSession& mouse, const MouseSettings& settings,
                          const std::function<void()>& apply_os_settings = {});

// Factory image n (1..3) shown and written (Confirm 1..3, reset N).
WriteReport WriteFactoryImage(MouseSession& mouse, int n);

// The built-in defaults shown and written (the engineer page's Default).
WriteReport WriteDefaults(MouseSession& mouse);

// ---- profile files and backups --------------------------------------------

enum class ProfileLoadVerdict {
  kWrite,            // show and write `image`
  kNoSignature,      // Str102; nothing changes
  kForeignIdentity,  // refused with `problem`; nothing changes
};

struct ProfileLoadPlan {
  ProfileLoadVerdict verdict = ProfileLoadVerdict::kNoSignature;
  DataBuf image{};      // kWrite: the file over a copy of the image shown
  std::string problem;  // kForeignIdentity: why ("the identity bytes ... ")
};

// The first 2048 bytes of the file over a copy of `shown`. Refused when the
// file does not reach byte 0x07F or has no 0x99 there, and when its identity
// bytes (0x36, 0x37) are a pair the program does not accept: the mouse
// would refuse every later read, restore and reset.
ProfileLoadPlan PlanProfileLoad(const DataBuf& shown, std::span<const std::uint8_t> file_bytes,
                                const ExpectedCodes& expected);

// Save Profile re-reads the mouse, so the file holds what the mouse holds:
// true when `settings` hold edits not yet written, which the re-read would
// drop (the window asks first).
bool HasUnappliedEdits(const Workspace& workspace, const MouseSettings& settings);

// Load Profile (and restore, with a backup file): a planned image shown
// and written, after a backup.
WriteReport LoadProfile(MouseSession& mouse, const ProfileLoadPlan& plan, ImageSource from);

// The backup to restore: `chosen`, or the one a plain restore walks back
// to in `folder` (image/backup_store.h). Nothing when none is chosen and
// none is left.
std::optional<std::string> BackupToRestore(const std::string& chosen, const std::string& folder);

// ---- device macro slots and the library -----------------------------------

enum class SlotImport {
  kImported,   // the file's slots are in the workspace's macro area and data_buf
  kTooShort,   // shorter than one slot (Str103); nothing changed
};

// Import Base Macro, import-slots: a slot file over the workspace's macro
// area (the slots the file does not reach keep what they held; a slot that
// fails its check is emptied, its name kept), copied into data_buf.
// `slots` becomes what the area now holds.
SlotImport ImportDeviceSlots(std::span<const std::uint8_t> file_bytes, Workspace& workspace,
                             DeviceMacroSlots& slots);

// What putting a library macro on a button came to; `slot` is the device
// slot it took (1..7; 0 when none).
struct MacroAssignment {
  AssignmentResult result;
  int slot = 0;
};

// A library macro into a device slot by the slot rule (the slot that
// already holds it, else the first free one, the button's own code
// counting as free), then its code (06/0E 0n 21) for the button under the
// Left Click rule, decided from the codes. No free slot: nothing changes.
MacroAssignment AssignLibraryMacro(MouseSettings& settings, ButtonRef target, const MacroRecord& macro,
                                   DeviceMacroSlots& slots, BaseMacroArea& area, const TextLookup& text);

// Where the macro library file lives: ZELKO77-Macro.bin in the general
// pack's Path when it names a folder (relative to `program_folder`), else
// in the user's data folder. Nothing when there is no folder for it.
std::optional<std::filesystem::path> MacroLibraryPlace(const std::string& pack_path,
                                                       const std::filesystem::path& program_folder);

}  // namespace zelko::session
