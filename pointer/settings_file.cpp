#include "pointer/settings_file.h"

#include "base/atomic_file.h"
#include "base/file_reading.h"

#include <sstream>
#include <system_error>

namespace zelko {
namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

void SetError(std::string* error, const std::string& what) {
  if (error) *error = what;
}

}  // namespace

SettingsSections ParseSettingsText(const std::string& text) {
  SettingsSections sections;
  std::string current;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      current = Trim(t.substr(1, t.size() - 2));
      sections[current];
      continue;
    }
    const auto eq = t.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = Trim(t.substr(0, eq));
    if (name.empty()) continue;
    sections[current][name] = Trim(t.substr(eq + 1));
  }
  return sections;
}

std::string FormatSettingsText(const SettingsSections& sections) {
  std::string out;
  for (const auto& [section, values] : sections) {
    if (!out.empty()) out += '\n';
    out += "[" + section + "]\n";
    for (const auto& [name, value] : values) out += name + "=" + value + "\n";
  }
  return out;
}

std::optional<SettingsSections> LoadSettingsFile(const std::filesystem::path& file,
                                                 std::string* error) {
  std::error_code ec;
  // symlink_status: a link to nowhere is there, and its read says so.
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
    return SettingsSections{};
  }
  const auto bytes = ReadWholeFile(file.string(), error, kMaxSettingsFileBytes);
  if (!bytes) return std::nullopt;
  return ParseSettingsText(std::string(bytes->begin(), bytes->end()));
}

bool SaveSettingsFile(const std::filesystem::path& file, const SettingsSections& sections,
                      std::string* error) {
  const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    SetError(error, "cannot create " + folder.string() + ": " + ec.message());
    return false;
  }
  const std::string text = FormatSettingsText(sections);
  const std::string problem = WriteFileAtomically(
      file.string(), std::span<const std::uint8_t>(
                         reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (!problem.empty()) {
    SetError(error, problem);
    return false;
  }
  return true;
}

}  // namespace zelko
