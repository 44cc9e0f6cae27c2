// A HID report descriptor as the kernel hands it for a node, read for the
// length of the largest feature report.
//
// Properties: no input crashes or hangs the reader (the lengths it adds up
// are 32-bit sizes times 32-bit counts); a descriptor followed by an item
// that declares no feature report keeps its length.
#include <vector>

#include "device/report_descriptor.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  const auto descriptor = fuzz::Bytes(data, size);
  const auto length = FeatureReportByteLength(descriptor);

  // An End Collection (a main item without data) changes no feature report.
  std::vector<std::uint8_t> longer(data, data + size);
  longer.push_back(0xC0);
  const auto longer_length = FeatureReportByteLength(longer);
  if (length) FUZZ_REQUIRE(longer_length == length);
  return 0;
}
