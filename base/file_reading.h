// Whole-file reading that never throws: a folder, a missing or an
// unreadable file gives nothing and a reason naming the path.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelko {

// The most any file the programs read may hold: far above every file of
// theirs (images, libraries, packs), far below what could exhaust memory.
inline constexpr std::size_t kMaxReadBytes = 1u << 20;

// The whole file; nothing when it cannot be read (a folder, a device, a
// pipe or another file that is not regular, a file of more than
// `max_bytes`, a missing or unreadable file). `error` says why.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::string* error = nullptr,
                                                       std::size_t max_bytes = kMaxReadBytes);

// At most the first `count` bytes of a file (all of a shorter one), with the
// same refusals as ReadWholeFile except for the size.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                                     std::size_t count,
                                                                     std::string* error = nullptr);

}  // namespace zelko
