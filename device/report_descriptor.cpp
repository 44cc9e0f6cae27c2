#include "device/report_descriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace zelko {
namespace {

// Item prefix: bits 0-1 size (3 means 4 bytes), bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr int kTypeMain = 0;
constexpr int kTypeGlobal = 1;
constexpr int kTagFeature = 0xB;      // main
constexpr int kTagReportSize = 0x7;   // global
constexpr int kTagReportId = 0x8;     // global
constexpr int kTagReportCount = 0x9;  // global
constexpr int kTagPush = 0xA;         // global
constexpr int kTagPop = 0xB;          // global

// A report length is 16-bit; more bits than fit in one are malformed.
constexpr std::uint64_t kMaxReportBytes = 0xFFFF;
constexpr std::uint64_t kTooManyBits = kMaxReportBytes * 8 + 1;

struct GlobalState {
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
  std::uint32_t report_id = 0;
};

}  // namespace

std::optional<std::uint16_t> FeatureReportByteLength(std::span<const std::uint8_t> descriptor) {
  GlobalState state;
  std::vector<GlobalState> stack;
  std::map<std::uint32_t, std::uint64_t> feature_bits;  // report id -> bits

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const std::uint8_t prefix = descriptor[pos++];
    if (prefix == kLongItemPrefix) {
      if (pos + 2 > descriptor.size()) return std::nullopt;
      const std::size_t data_size = descriptor[pos];
      pos += 2 + data_size;
      if (pos > descriptor.size()) return std::nullopt;
      continue;
    }
    const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
    if (pos + size > descriptor.size()) return std::nullopt;
    std::uint32_t data = 0;
    for (std::size_t i = 0; i < size; ++i) data |= std::uint32_t{descriptor[pos + i]} << (8 * i);
    pos += size;

    const int type = (prefix >> 2) & 0x3;
    const int tag = prefix >> 4;
    if (type == kTypeGlobal) {
      switch (tag) {
        case kTagReportSize: state.report_size = data; break;
        case kTagReportId: state.report_id = data; break;
        case kTagReportCount: state.report_count = data; break;
        case kTagPush: stack.push_back(state); break;
        case kTagPop:
          if (stack.empty()) return std::nullopt;
          state = stack.back();
          stack.pop_back();
          break;
        default: break;
      }
    } else if (type == kTypeMain && tag == kTagFeature) {
      // Sizes and counts are 32-bit: the sum of their products is held
      // below what would wrap, and anything that large is malformed.
      std::uint64_t& bits = feature_bits[state.report_id];
      bits = std::min(kTooManyBits, bits + std::uint64_t{state.report_size} * state.report_count);
    }
  }

  std::uint64_t largest = 0;
  for (const auto& [id, bits] : feature_bits) largest = std::max(largest, (bits + 7) / 8 + 1);
  if (largest > kMaxReportBytes) return std::nullopt;
  return static_cast<std::uint16_t>(largest);
}

}  // namespace zelko
