// The checks that run while an image is unpacked. They repair only the
// record: DataBuf keeps the bad bytes until the next pack.
#pragma once
#include <array>

#include "image/parameter_record.h"

namespace zelko {

// Each returns true when it replaced the section by its built-in default
// (the stored checksum did not match).
[[nodiscard]] bool CheckParameterASection(ParameterRecord& record);
[[nodiscard]] bool CheckProfileSection(ParameterRecord& record);
[[nodiscard]] bool CheckFireKeySection(ParameterRecord& record);

// The three value/complement pairs of ParameterB, in address order.
enum class ParameterBPair : std::uint8_t { CurrentDpiLevel, LedState, KeyModeState };
inline constexpr std::size_t kParameterBPairCount = 3;
using ParameterBPairRepairs = std::array<bool, kParameterBPairCount>;

// Each pair whose two bytes do not add up to 255 is replaced on its own:
// CurrentDpiLevel by 1/254, LedState by 1/254, KeyModeState by 0/255. The
// identity bytes are not checked. Tells which pairs were replaced.
[[nodiscard]] ParameterBPairRepairs CheckParameterBSection(ParameterRecord& record);

}  // namespace zelko
