#include "pointer/linux_pointer_store.h"

#include "base/user_folders.h"
#include "pointer/pointer_levels.h"

namespace zelko {
namespace {

constexpr std::string_view kFlatProfile = "'flat'";
constexpr std::string_view kAdaptiveProfile = "'adaptive'";

}  // namespace

std::optional<std::filesystem::path> DefaultPointerSettingsFile() {
  const auto config = UserConfigFolder();
  if (!config) return std::nullopt;
  return *config / "pointer.ini";
}

LinuxPointerStore::LinuxPointerStore(std::filesystem::path file, CommandRunner& runner)
    : file_(std::move(file)), gnome_(runner) {}

LinuxPointerStore::LinuxPointerStore(std::filesystem::path file,
                                     std::unique_ptr<CommandRunner> runner)
    : owned_runner_(std::move(runner)), file_(std::move(file)), gnome_(*owned_runner_) {}

bool LinuxPointerStore::OpenKey(PointerKey /*key*/) { return !file_.empty(); }

std::optional<std::string> LinuxPointerStore::ReadValue(PointerKey key, std::string_view name) {
  if (file_.empty()) return std::nullopt;
  if (const auto sections = LoadSettingsFile(file_)) {
    const auto section = sections->find(std::string(PointerKeyPath(key)));
    if (section != sections->end()) {
      const auto value = section->second.find(std::string(name));
      if (value != section->second.end()) return value->second;
    }
  }
  return DesktopValue(name);
}

std::optional<std::string> LinuxPointerStore::DesktopValue(std::string_view name) {
  if (name == kMouseSensitivityValue) {
    const auto speed = gnome_.Get(kGnomeSpeedKey);
    if (!speed) return std::nullopt;
    char* end = nullptr;
    const double g = std::strtod(speed->c_str(), &end);
    if (end == speed->c_str()) return std::nullopt;
    return std::to_string(PointerSpeedFromGnomeSpeed(g));
  }
  if (name == kMouseSpeedValue || name == kMouseThreshold1Value || name == kMouseThreshold2Value) {
    const auto profile = gnome_.Get(kGnomeAccelProfileKey);
    if (!profile) return std::nullopt;
    const PointerPrecision p = *profile == kFlatProfile ? kPrecisionOff : kPrecisionOn;
    const int v = name == kMouseSpeedValue        ? p.acceleration
                  : name == kMouseThreshold1Value ? p.threshold1
                                                  : p.threshold2;
    return std::to_string(v);
  }
  if (name == kDoubleClickSpeedValue) return gnome_.Get(kGnomeDoubleClickKey);
  return std::nullopt;
}

bool LinuxPointerStore::WriteValue(PointerKey key, std::string_view name, std::string_view text) {
  if (file_.empty()) {
    last_error_ = "no folder for the pointer settings (HOME is not set)";
    return false;
  }
  SettingsSections sections = LoadSettingsFile(file_).value_or(SettingsSections{});
  sections[std::string(PointerKeyPath(key))][std::string(name)] = std::string(text);
  std::string error;
  if (!SaveSettingsFile(file_, sections, &error)) {
    last_error_ = error;
    return false;
  }
  return true;
}

ApplyOutcome LinuxPointerStore::SetDesktop(std::string_view key, const std::string& value) {
  if (!gnome_.HasKey(key)) return ApplyOutcome::NoPlace;
  return gnome_.Set(key, value) ? ApplyOutcome::Taken : ApplyOutcome::Failed;
}

ApplyOutcome LinuxPointerStore::ApplyPointerSpeed(int speed) {
  return SetDesktop(kGnomeSpeedKey, std::to_string(GnomeSpeedFromPointerSpeed(speed)));
}

ApplyOutcome LinuxPointerStore::ApplyPrecision(int threshold1, int threshold2, int acceleration) {
  const bool on = IsPrecisionOn({acceleration, threshold1, threshold2});
  return SetDesktop(kGnomeAccelProfileKey,
                    std::string(on ? kAdaptiveProfile : kFlatProfile));
}

ApplyOutcome LinuxPointerStore::ApplyDoubleClickTime(int time_ms) {
  return SetDesktop(kGnomeDoubleClickKey, std::to_string(time_ms));
}

ApplyOutcome LinuxPointerStore::ApplyWheelScrollLines(int /*lines*/) {
  return ApplyOutcome::NoPlace;
}

}  // namespace zelko
