// The pointer settings file (pointer.ini) as a user or another program may
// leave it: any bytes. They are written to a file and read the way both
// programs read it.
//
// Properties: every level read is one the page can show; what the text
// parses to survives a format and a second parse; writing the values back
// and reading again gives the same settings, and keeps the file's other
// sections.
#include <filesystem>
#include <string>
#include <unistd.h>

#include "base/atomic_file.h"
#include "base/command_runner.h"
#include "fuzz/fuzz_check.h"
#include "pointer/linux_pointer_store.h"
#include "pointer/pointer_parameters.h"
#include "pointer/settings_file.h"

namespace {

// The desktop is never asked.
class NoDesktop final : public zelko::CommandRunner {
 public:
  zelko::CommandResult Run(const std::vector<std::string>&, std::uint32_t) override { return {}; }
};

bool LevelShown(int level) { return level >= 1 && level <= zelko::kPointerLevelCount; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("zelko-fuzz-pointer-" + std::to_string(::getpid())) /
      "pointer.ini";
  std::filesystem::create_directories(file.parent_path());

  const SettingsSections parsed = ParseSettingsText(std::string(fuzz::Text(data, size)));
  FUZZ_REQUIRE(ParseSettingsText(FormatSettingsText(parsed)) == parsed);

  FUZZ_REQUIRE(WriteFileAtomically(file.string(), fuzz::Bytes(data, size)).empty());
  NoDesktop desktop;
  LinuxPointerStore store(file, desktop);
  const PointerParameters read = ReadPointerParameters(store, PointerParameters{});
  FUZZ_REQUIRE(LevelShown(read.speed_level));
  FUZZ_REQUIRE(LevelShown(read.double_click_level));
  FUZZ_REQUIRE(LevelShown(read.scroll_level) || read.one_screen());
  FUZZ_REQUIRE(LevelShown(read.remembered_scroll_level));

  const PointerApplyReport report = WriteAndApplyPointerParameters(store, read);
  FUZZ_REQUIRE(report.all_stored());
  LinuxPointerStore again(file, desktop);
  FUZZ_REQUIRE(ReadPointerParameters(again, PointerParameters{}) == read);
  const auto kept = LoadSettingsFile(file);
  FUZZ_REQUIRE(kept.has_value());
  for (const auto& [section, values] : parsed) {
    if (section == kMouseKeyPath || section == kDesktopKeyPath) continue;
    FUZZ_REQUIRE(kept->at(section) == values);
  }
  return 0;
}
