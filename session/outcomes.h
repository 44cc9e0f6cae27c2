// What a use case came to, and what each program makes of it: zelko77ctl's
// exit status (scripts rely on these numbers) and zelko77's exit status
// before its window opens, and the language pack's message the window
// shows. One table for both programs.
#pragma once
#include <string_view>

namespace zelko::session {

enum class Outcome {
  kDone,             // done, or nothing needed doing
  kFailure,          // anything not named below (a file that cannot be written, no backup kept, ...)
  kNoMouse,          // no mouse with the supported identity was found or opened; no HID backend
  kNotConfigurable,  // the mouse answered but refused configuration, or is another maker's
  kTransferFailed,   // a transfer was not acknowledged or did not verify
  kBadInput,         // bad arguments or a bad input file; nothing was written
};

struct OutcomeRow {
  Outcome outcome;
  int exit_code;
  // The language pack's text the window shows for it (empty: none).
  std::string_view message_id;
};

inline constexpr OutcomeRow kOutcomeTable[] = {
    {Outcome::kDone, 0, ""},
    {Outcome::kFailure, 1, "Str109"},
    {Outcome::kNoMouse, 2, "Str020"},
    {Outcome::kNotConfigurable, 3, "Str107"},
    {Outcome::kTransferFailed, 4, "Str109"},
    {Outcome::kBadInput, 5, "Str102"},
};

constexpr const OutcomeRow& RowOf(Outcome outcome) {
  for (const OutcomeRow& row : kOutcomeTable) {
    if (row.outcome == outcome) return row;
  }
  return kOutcomeTable[1];
}
constexpr int ExitCode(Outcome outcome) { return RowOf(outcome).exit_code; }
constexpr std::string_view MessageId(Outcome outcome) { return RowOf(outcome).message_id; }

// The numbers by name, for the programs' own checks.
inline constexpr int kExitOk = ExitCode(Outcome::kDone);
inline constexpr int kExitFailure = ExitCode(Outcome::kFailure);
inline constexpr int kExitNoDevice = ExitCode(Outcome::kNoMouse);
inline constexpr int kExitNotConfigurable = ExitCode(Outcome::kNotConfigurable);
inline constexpr int kExitTransferFailed = ExitCode(Outcome::kTransferFailed);
inline constexpr int kExitBadInput = ExitCode(Outcome::kBadInput);

}  // namespace zelko::session
