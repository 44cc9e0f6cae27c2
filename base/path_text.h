// Paths as text. Our programs hold a path given as text (an argument, a
// layout pack's Path key, a message) as UTF-8 on every system. On Linux
// that is the file system's own form; on Windows a path is UTF-16, and a
// narrow string handed to the C runtime or to std::filesystem would be read
// in the ANSI code page, losing every character outside it (a folder named
// in Chinese). These two are the only conversions between the two forms.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace zelko {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace zelko
