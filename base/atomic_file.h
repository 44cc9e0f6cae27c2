// Files the programs write are replaced atomically: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the target; then the folder is flushed. A reader, or
// the file after a crash, sees the old file or the new one, never a part.
// Every step passes a fault-injection seam, so that a rewrite interrupted at
// each point can be tested.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zelko {

// The steps of a replacement, in order. kWriteChunk comes once per chunk of
// at most kAtomicWriteChunk bytes.
enum class AtomicWriteStep { kCreateTemp, kWriteChunk, kSyncFile, kCloseFile, kRename, kSyncFolder };
inline constexpr std::size_t kAtomicWriteChunk = 4096;
// A temporary file of ours (the target's name, ".", eight hexadecimal digits,
// ".tmp") that is at least this old and that no writer holds was left by a
// writer that was killed; the next write beside it removes it.
inline constexpr std::chrono::seconds kLeftOverTempAge{60};

// Fault-injection seam for tests: called before every step; returning false
// makes that step fail as if the system had refused it.
using AtomicWriteHook = std::function<bool(AtomicWriteStep)>;

// Empty on success; otherwise what went wrong, naming the path. On failure
// the target is untouched and the temporary file is removed. Only the flush
// of the folder comes after the new file is in place, so its failure is not
// one. Refused: a file without any write permission bit (for root too), and
// a link another user planted in a sticky folder everyone may write (such
// as /tmp), unless the folder is theirs.
[[nodiscard]] std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                const AtomicWriteHook& hook = {});

}  // namespace zelko
