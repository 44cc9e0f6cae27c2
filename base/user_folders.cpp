#include "base/user_folders.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace zelko {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "zelko77";

#ifndef _WIN32
std::optional<fs::path> AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  fs::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}
#endif

// The XDG folder, or HOME joined with the fallback below it.
std::optional<fs::path> XdgFolder(const char* variable, const fs::path& below_home) {
#ifdef _WIN32
  (void)variable;
  (void)below_home;
  // The wide form: the narrow one holds the ANSI code page's reading of it.
  const wchar_t* appdata = ::_wgetenv(L"APPDATA");
  if (appdata == nullptr || *appdata == L'\0') return std::nullopt;
  const fs::path path(appdata);
  if (!path.is_absolute()) return std::nullopt;
  return path / kFolderName;
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

#ifndef _WIN32
std::string PrivateFolderProblem(const fs::path& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return folder.string() + ": " + std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return folder.string() + " is not a folder";
  if (info.st_uid != ::getuid()) return folder.string() + " belongs to another user";
  if ((info.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%03o", static_cast<unsigned>(info.st_mode & 0777));
    return folder.string() + " is open to other users (mode " + mode + ", should be 700)";
  }
  return {};
}

Result<fs::path> UserRuntimeFolder() {
  fs::path folder;
  if (const auto runtime = AbsoluteEnv("XDG_RUNTIME_DIR")) {
    folder = *runtime / kFolderName;
  } else {
    // No session folder (a cron job, su without a login): one of our own in
    // the shared temporary folder, checked like any other.
    folder = fs::path("/tmp") / (std::string(kFolderName) + "-" + std::to_string(::getuid()));
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return Result<fs::path>::Failure("cannot make " + folder.string() + ": " + std::strerror(errno));
  }
  if (std::string problem = PrivateFolderProblem(folder); !problem.empty()) {
    return Result<fs::path>::Failure(problem);
  }
  return folder;
}
#endif

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return false;
#ifdef _WIN32
  const fs::path probe = folder / "zelko77-write-probe.tmp";
  const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
#else
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

std::optional<fs::path> ProgramFolder() {
#ifdef _WIN32
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return std::nullopt;
    if (length < name.size()) return fs::path(std::wstring(name.data(), length)).parent_path();
    if (name.size() >= 32768) return std::nullopt;
    name.resize(name.size() * 2);
  }
#else
  std::error_code error;
  const auto exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  return exe.parent_path();
#endif
}

}  // namespace zelko
