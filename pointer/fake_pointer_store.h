// A PointerStore in memory for tests: keys that open or not, values as
// strings, and a log of every write and apply call in the order made.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pointer/pointer_store.h"

namespace zelko {

class FakePointerStore final : public PointerStore {
 public:
  // Both keys open and hold no values.
  FakePointerStore();

  void SetKeyOpens(PointerKey key, bool opens);
  void SetValue(PointerKey key, std::string_view name, std::string_view text);
  std::optional<std::string> Value(PointerKey key, std::string_view name) const;
  // Writes to this value fail.
  void FailWrites(std::string_view name);
  void SetApplyOutcome(ApplyOutcome outcome) { outcome_ = outcome; }

  // "write MouseSensitivity=10", "apply speed 10", "apply mouse 6,10,1", ...
  const std::vector<std::string>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

  bool OpenKey(PointerKey key) override;
  std::optional<std::string> ReadValue(PointerKey key, std::string_view name) override;
  bool WriteValue(PointerKey key, std::string_view name, std::string_view text) override;
  ApplyOutcome ApplyPointerSpeed(int speed) override;
  ApplyOutcome ApplyPrecision(int threshold1, int threshold2, int acceleration) override;
  ApplyOutcome ApplyDoubleClickTime(int time_ms) override;
  ApplyOutcome ApplyWheelScrollLines(int lines) override;

 private:
  std::set<PointerKey> closed_keys_;
  std::map<std::pair<PointerKey, std::string>, std::string> values_;
  std::set<std::string> failing_writes_;
  ApplyOutcome outcome_ = ApplyOutcome::Taken;
  std::vector<std::string> calls_;
};

}  // namespace zelko
