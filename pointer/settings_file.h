// The per-user file that keeps the OS pointer settings on systems without a
// registry: INI text with one section per registry key and the registry's
// value names, e.g.
//   [Control Panel\Mouse]
//   MouseSensitivity=10
#pragma once
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace zelko {

// section -> (name -> value)
using SettingsSections = std::map<std::string, std::map<std::string, std::string>>;

// Parses INI text: "[section]" lines, "name=value" lines (both trimmed);
// blank lines, ";" and "#" comments and lines without "=" are skipped.
SettingsSections ParseSettingsText(const std::string& text);
std::string FormatSettingsText(const SettingsSections& sections);

// The most a settings file may hold; six short values need far less.
inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// The file's sections, read bounded and from a regular file only. A file
// that does not exist holds no sections; nothing when the file exists but
// cannot be read (a pipe, a device, a folder, too large, no permission to
// read it), with `error` saying why.
[[nodiscard]] std::optional<SettingsSections> LoadSettingsFile(const std::filesystem::path& file,
                                                               std::string* error = nullptr);
// Creates the folder if needed and replaces the file atomically (temporary
// file in the same folder, flushed to disk, renamed over the old one). On
// failure the old file is left as it was and `error` says why.
[[nodiscard]] bool SaveSettingsFile(const std::filesystem::path& file, const SettingsSections& sections,
                      std::string* error = nullptr);

}  // namespace zelko
