// Exit status of zelko77ctl. Scripts rely on these numbers.
#pragma once

namespace zelko::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;            // anything not named below (a file that cannot be written, …)
inline constexpr int kExitNoDevice = 2;           // no mouse with the supported identity was found or opened
inline constexpr int kExitNotConfigurable = 3;    // the mouse answered but refused configuration
inline constexpr int kExitTransferFailed = 4;     // a transfer was not acknowledged or did not verify
inline constexpr int kExitBadInput = 5;           // bad arguments or a bad input file; nothing was written
inline constexpr int kExitMouseBusy = 6;          // another program kept talking to the mouse; nothing was sent

}  // namespace zelko::cli
