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

std::optional<SettingsSections> LinuxPointerStore::LoadKept() {
  std::string error;
  auto sections = LoadSettingsFile(file_, &error);
  if (!sections) last_error_ = error;
  return sections;
}

bool LinuxPointerStore::OpenKey(PointerKey /*key*/) { return !file_.empty() && LoadKept(); }

std::pair<ValueOrigin, std::optional<std::string>> LinuxPointerStore::Lookup(PointerKey key,
                                                                             std::string_view name) {
  if (file_.empty()) return {ValueOrigin::kNone, std::nullopt};
  const auto sections = LoadKept();
  if (!sections) return {ValueOrigin::kNone, std::nullopt};
  bool holds_any = false;
  for (const PointerKey k : {PointerKey::Mouse, PointerKey::Desktop}) {
    const auto section = sections->find(std::string(PointerKeyPath(k)));
    if (section == sections->end()) continue;
    for (const std::string_view value_name :
         {kMouseSensitivityValue, kMouseSpeedValue, kMouseThreshold1Value, kMouseThreshold2Value,
          kDoubleClickSpeedValue, kWheelScrollLinesValue}) {
      const auto value = section->second.find(std::string(value_name));
      if (value == section->second.end()) continue;
      holds_any = true;
      if (k == key && value_name == name) return {ValueOrigin::kKept, value->second};
    }
  }
  if (holds_any) return {ValueOrigin::kNone, std::nullopt};
  return {ValueOrigin::kDesktop, std::nullopt};
}

std::optional<std::string> LinuxPointerStore::ReadValue(PointerKey key, std::string_view name) {
  auto [origin, text] = Lookup(key, name);
  if (origin == ValueOrigin::kDesktop) return DesktopValue(name);
  return text;
}

ValueOrigin LinuxPointerStore::OriginOf(PointerKey key, std::string_view name) {
  const auto [origin, text] = Lookup(key, name);
  if (origin == ValueOrigin::kDesktop && !DesktopValue(name)) return ValueOrigin::kNone;
  return origin;
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
  return WriteValues({{key, name, std::string(text)}}).front();
}

std::vector<bool> LinuxPointerStore::WriteValues(const std::vector<PointerValueText>& values) {
  auto all = [&](bool taken) { return std::vector<bool>(values.size(), taken); };
  if (file_.empty()) {
    last_error_ = "no folder for the pointer settings (HOME is not set)";
    return all(false);
  }
  // A file that is there but cannot be read is never replaced by one that
  // holds only the values written now: the user's other values would go.
  std::optional<SettingsSections> sections = LoadKept();
  if (!sections) return all(false);
  for (const auto& v : values) (*sections)[std::string(PointerKeyPath(v.key))][std::string(v.name)] = v.text;
  std::string error;
  if (!SaveSettingsFile(file_, *sections, &error)) {
    last_error_ = error;
    return all(false);
  }
  return all(true);
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
