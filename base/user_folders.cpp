#include "base/user_folders.h"

#include <cstdlib>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zelko {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "zelko77";

std::optional<fs::path> AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  fs::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

// The XDG folder, or HOME joined with the fallback below it.
std::optional<fs::path> XdgFolder(const char* variable, const fs::path& below_home) {
#ifdef _WIN32
  (void)variable;
  (void)below_home;
  if (const auto appdata = AbsoluteEnv("APPDATA")) return *appdata / kFolderName;
  return std::nullopt;
#else
  if (const auto xdg = AbsoluteEnv(variable)) return *xdg / kFolderName;
  if (const auto home = AbsoluteEnv("HOME")) return *home / below_home / kFolderName;
  return std::nullopt;
#endif
}

}  // namespace

std::optional<fs::path> UserDataFolder() {
  return XdgFolder("XDG_DATA_HOME", fs::path(".local") / "share");
}

std::optional<fs::path> UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return false;
#ifdef _WIN32
  return ::_waccess(folder.c_str(), 2) == 0;
#else
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

}  // namespace zelko
