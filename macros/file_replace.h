// Replacing a file so that a reader, or the file after a crash, sees either
// the old or the new content, never a mixture: the bytes go to a temporary
// file in the same folder, are flushed to the disk, and the temporary file is
// renamed over the target; then the folder is flushed. Every step passes a
// fault-injection seam, so that a rewrite interrupted at each point can be
// tested.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelko {

// The steps of a replacement, in order. kWriteChunk comes once per chunk of
// at most kAtomicWriteChunk bytes.
enum class AtomicWriteStep { kCreateTemp, kWriteChunk, kSyncFile, kCloseFile, kRename, kSyncFolder };
inline constexpr std::size_t kAtomicWriteChunk = 4096;

// Fault-injection seam for tests: called before every step; returning false
// makes that step fail as if the system had refused it.
using AtomicWriteHook = std::function<bool(AtomicWriteStep)>;

// True when the file now holds exactly `bytes`. On failure the target is
// untouched and the temporary file is removed.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook = {});

}  // namespace zelko
