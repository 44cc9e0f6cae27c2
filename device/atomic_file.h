// Files the programs write are replaced atomically: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the target. A reader sees the old file or the new
// one, never a part.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelko {

// Empty on success; otherwise what went wrong, naming the path.
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The whole file; nothing when it cannot be read. `error` says why.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::string* error = nullptr);

}  // namespace zelko
