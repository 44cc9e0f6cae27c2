#include "pointer/platform_pointer_store.h"

#include "base/clock.h"

#ifdef _WIN32
#include "pointer/windows_pointer_store.h"
#else
#include "base/command_runner.h"
#include "pointer/linux_pointer_store.h"
#endif

namespace zelko {
namespace {

#ifndef _WIN32
// A runner that starts nothing: the desktop is left alone.
class NoDesktopRunner final : public CommandRunner {
 public:
  CommandResult Run(const std::vector<std::string>&, std::uint32_t) override { return {}; }
};
#endif

}  // namespace

PlatformPointerStore OpenPlatformPointerStore(bool use_desktop) {
  PlatformPointerStore result;
#ifdef _WIN32
  (void)use_desktop;
  result.store = std::make_unique<WindowsPointerStore>();
  result.where = "the registry (HKEY_CURRENT_USER\\Control Panel)";
#else
  const auto file = DefaultPointerSettingsFile();
  std::unique_ptr<CommandRunner> runner;
  if (use_desktop) {
    runner = std::make_unique<ProcessRunner>(DefaultClock());
  } else {
    runner = std::make_unique<NoDesktopRunner>();
  }
  if (!file) result.error = "neither XDG_CONFIG_HOME nor HOME is set";
  result.where = file ? file->string() : std::string();
  result.store = std::make_unique<LinuxPointerStore>(file.value_or(std::filesystem::path()),
                                                     std::move(runner));
#endif
  return result;
}

std::string LastPointerStoreError(PointerStore& store) {
#ifdef _WIN32
  (void)store;
  return "the registry refused the value";
#else
  return static_cast<LinuxPointerStore&>(store).last_error();
#endif
}

}  // namespace zelko
