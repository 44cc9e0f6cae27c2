#include "base/path_text.h"

#include <system_error>

namespace zelko {

// char8_t strings convert as UTF-8 on every system, never through the
// ANSI code page. Text that is no UTF-8 at all (Windows refuses to convert
// it) is taken byte for byte rather than dropped.
std::filesystem::path PathFromUtf8(std::string_view text) {
  try {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
  } catch (const std::system_error&) {
    return std::filesystem::path(std::string(text));
  }
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  try {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  } catch (const std::system_error&) {
    return "(a path that is not valid Unicode)";
  }
}

}  // namespace zelko
