#include "pointer/fire_key.h"

namespace zelko {
namespace {

constexpr std::uint8_t kFnLeftBit = static_cast<std::uint8_t>(1u << feature_flags::kFireOnFnLeftBit);

}  // namespace

FireKeySettings DecodeFireKey(const ParameterRecord& record) {
  FireKeySettings fire;
  fire.repeat_count = record.FireKey.FireRepeatCount + 1;
  fire.interval = record.FireKey.FireInterval;
  fire.on_fn_left = (record.ParameterA.FeatureFlags & kFnLeftBit) != 0;
  return fire;
}

void EncodeFireKey(const FireKeySettings& fire, ParameterRecord& record) {
  record.FireKey.FireRepeatCount = static_cast<std::uint8_t>(fire.repeat_count - 1);
  record.FireKey.FireInterval = static_cast<std::uint8_t>(fire.interval);
  auto& flags = record.ParameterA.FeatureFlags;
  flags = fire.on_fn_left ? static_cast<std::uint8_t>(flags | kFnLeftBit)
                          : static_cast<std::uint8_t>(flags & ~kFnLeftBit);
}

}  // namespace zelko
