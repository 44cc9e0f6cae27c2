#include "pointer/gnome_mouse_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace zelko {
namespace {

constexpr std::string_view kGsettings = "gsettings";

std::string Trim(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

bool HasLine(const std::string& text, std::string_view wanted) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line) == wanted) return true;
  }
  return false;
}

// "0.5" and "0.50000000000000000" are the same double; strings otherwise.
bool SameValue(const std::string& a, const std::string& b) {
  if (a == b) return true;
  char* end_a = nullptr;
  char* end_b = nullptr;
  const double x = std::strtod(a.c_str(), &end_a);
  const double y = std::strtod(b.c_str(), &end_b);
  if (end_a == a.c_str() || *end_a != '\0' || end_b == b.c_str() || *end_b != '\0') return false;
  return std::fabs(x - y) < 1e-6;
}

}  // namespace

double GnomeSpeedFromPointerSpeed(int speed) {
  return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

int PointerSpeedFromGnomeSpeed(double gnome_speed) {
  return std::clamp(static_cast<int>(std::lround(gnome_speed * 10.0 + 10.0)), 0, 20);
}

void GnomeMouseSettings::Probe() {
  if (probed_) return;
  probed_ = true;
  const auto schemas = runner_.Run({std::string(kGsettings), "list-schemas"}, kGsettingsTimeoutMs);
  if (!schemas.ok() || !HasLine(schemas.output, kGnomeMouseSchema)) return;
  const auto keys = runner_.Run(
      {std::string(kGsettings), "list-keys", std::string(kGnomeMouseSchema)}, kGsettingsTimeoutMs);
  if (!keys.ok()) return;
  std::istringstream in(keys.output);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (!line.empty()) keys_.insert(line);
  }
}

bool GnomeMouseSettings::HasKey(std::string_view key) {
  Probe();
  return keys_.find(key) != keys_.end();
}

std::optional<std::string> GnomeMouseSettings::Get(std::string_view key) {
  if (!HasKey(key)) return std::nullopt;
  const auto result = runner_.Run(
      {std::string(kGsettings), "get", std::string(kGnomeMouseSchema), std::string(key)},
      kGsettingsTimeoutMs);
  if (!result.ok()) return std::nullopt;
  return Trim(result.output);
}

bool GnomeMouseSettings::Set(std::string_view key, const std::string& value) {
  if (!HasKey(key)) return false;
  const auto result = runner_.Run({std::string(kGsettings), "set", std::string(kGnomeMouseSchema),
                                   std::string(key), value},
                                  kGsettingsTimeoutMs);
  // gsettings can exit 0 and still have written nothing (no session bus,
  // memory backend): only the read-back counts.
  if (!result.ok()) return false;
  const auto now = Get(key);
  return now && SameValue(*now, value);
}

}  // namespace zelko
