#include "settings/fire_key.h"

#include "base/bit_ops.h"

namespace zelko {

FireKeySettings DecodeFireKey(const ParameterRecord& record) {
  FireKeySettings fire;
  fire.repeat_count = record.FireKey.FireRepeatCount + 1;
  fire.interval = record.FireKey.FireInterval;
  fire.on_fn_left = ByteBitSet(record.ParameterA.FeatureFlags, feature_flags::kFireOnFnLeftBit);
  return fire;
}

void EncodeFireKey(const FireKeySettings& fire, ParameterRecord& record) {
  record.FireKey.FireRepeatCount = static_cast<std::uint8_t>(fire.repeat_count - 1);
  record.FireKey.FireInterval = static_cast<std::uint8_t>(fire.interval);
  PutByteBit(record.ParameterA.FeatureFlags, feature_flags::kFireOnFnLeftBit, fire.on_fn_left);
}

}  // namespace zelko
