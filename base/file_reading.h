// Whole-file reading that never throws: a folder, a missing or an
// unreadable file gives nothing and a reason naming the path.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelko {

// The whole file; nothing when it cannot be read (a folder, a missing or
// unreadable file). `error` says why.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::string* error = nullptr);

}  // namespace zelko
