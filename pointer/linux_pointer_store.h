// The OS pointer settings on Linux. The six values are kept, under their
// registry names, in a per-user file ($XDG_CONFIG_HOME/zelko77/pointer.ini)
// so that they survive; the running desktop gets what it has a place for:
// GNOME's pointer speed, acceleration profile and double-click time. Scroll
// lines have no desktop-wide place and are only kept.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pointer/gnome_mouse_settings.h"
#include "pointer/pointer_store.h"
#include "pointer/settings_file.h"

namespace zelko {

// $XDG_CONFIG_HOME/zelko77/pointer.ini, or ~/.config/zelko77/pointer.ini;
// nothing when neither variable is set.
std::optional<std::filesystem::path> DefaultPointerSettingsFile();

class LinuxPointerStore final : public PointerStore {
 public:
  // An empty path means there is nowhere to keep the values: both keys then
  // fail to open.
  LinuxPointerStore(std::filesystem::path file, CommandRunner& runner);
  // The same, owning its runner.
  LinuxPointerStore(std::filesystem::path file, std::unique_ptr<CommandRunner> runner);

  const std::filesystem::path& file() const { return file_; }
  // Why the last write did not take, for the user.
  const std::string& last_error() const { return last_error_; }

  // False when there is no file name, or when the file is there but cannot
  // be read (then last_error() says why): its values are neither shown nor
  // overwritten.
  bool OpenKey(PointerKey key) override;
  // The kept value. Only while the file holds none of the six values (a
  // first start), the desktop's current setting where it has one, so that a
  // first write does not jump; once it holds any, every value comes from the
  // file alone, never a mix of the file and the desktop.
  std::optional<std::string> ReadValue(PointerKey key, std::string_view name) override;
  ValueOrigin OriginOf(PointerKey key, std::string_view name) override;
  bool WriteValue(PointerKey key, std::string_view name, std::string_view text) override;
  // All values in one replacement of the file: all take or none does.
  std::vector<bool> WriteValues(const std::vector<PointerValueText>& values) override;
  ApplyOutcome ApplyPointerSpeed(int speed) override;
  ApplyOutcome ApplyPrecision(int threshold1, int threshold2, int acceleration) override;
  ApplyOutcome ApplyDoubleClickTime(int time_ms) override;
  ApplyOutcome ApplyWheelScrollLines(int lines) override;

 private:
  std::optional<std::string> DesktopValue(std::string_view name);
  // The file's sections; nothing (and last_error_ set) when it cannot be read.
  std::optional<SettingsSections> LoadKept();
  // Where a read of the value goes, and the kept text when it is kept.
  std::pair<ValueOrigin, std::optional<std::string>> Lookup(PointerKey key, std::string_view name);
  ApplyOutcome SetDesktop(std::string_view key, const std::string& value);

  std::unique_ptr<CommandRunner> owned_runner_;
  std::filesystem::path file_;
  GnomeMouseSettings gnome_;
  std::string last_error_;
};

}  // namespace zelko
