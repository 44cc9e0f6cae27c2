#include "pointer/fake_pointer_store.h"

namespace zelko {

FakePointerStore::FakePointerStore() = default;

void FakePointerStore::SetKeyOpens(PointerKey key, bool opens) {
  if (opens) {
    closed_keys_.erase(key);
  } else {
    closed_keys_.insert(key);
  }
}

void FakePointerStore::SetValue(PointerKey key, std::string_view name, std::string_view text) {
  values_[{key, std::string(name)}] = std::string(text);
}

std::optional<std::string> FakePointerStore::Value(PointerKey key, std::string_view name) const {
  const auto it = values_.find({key, std::string(name)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void FakePointerStore::FailWrites(std::string_view name) { failing_writes_.insert(std::string(name)); }

bool FakePointerStore::OpenKey(PointerKey key) { return closed_keys_.count(key) == 0; }

std::optional<std::string> FakePointerStore::ReadValue(PointerKey key, std::string_view name) {
  return Value(key, name);
}

bool FakePointerStore::WriteValue(PointerKey key, std::string_view name, std::string_view text) {
  calls_.push_back("write " + std::string(name) + "=" + std::string(text));
  if (failing_writes_.count(std::string(name)) != 0) return false;
  SetValue(key, name, text);
  return true;
}

ApplyOutcome FakePointerStore::ApplyPointerSpeed(int speed) {
  calls_.push_back("apply speed " + std::to_string(speed));
  return outcome_;
}

ApplyOutcome FakePointerStore::ApplyPrecision(int threshold1, int threshold2, int acceleration) {
  calls_.push_back("apply mouse " + std::to_string(threshold1) + "," + std::to_string(threshold2) +
                   "," + std::to_string(acceleration));
  return outcome_;
}

ApplyOutcome FakePointerStore::ApplyDoubleClickTime(int time_ms) {
  calls_.push_back("apply double-click " + std::to_string(time_ms));
  return outcome_;
}

ApplyOutcome FakePointerStore::ApplyWheelScrollLines(int lines) {
  calls_.push_back("apply wheel " + std::to_string(lines));
  return outcome_;
}

}  // namespace zelko
