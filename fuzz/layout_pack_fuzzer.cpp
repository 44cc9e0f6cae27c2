// A layout pack: 8-bit INI text of integer values (and the texts Web and
// Path) read for the window's controls and the general switches. The
// first byte picks the section read ("org", "org1".."org3").
//
// Properties: an integer value is exactly the value text read as a
// decimal number, which prints back as that number; the general switches
// keep their promised ranges.
#include <string>

#include "fuzz/fuzz_check.h"
#include "resources/general_pack.h"
#include "resources/layout_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  if (size == 0) return 0;
  static const char* const kNames[] = {"org", "org1", "org2", "org3"};
  const std::string_view name = kNames[data[0] % 4];
  const std::string_view text = fuzz::Text(data + 1, size - 1);
  const LayoutPack pack = LayoutPack::Parse(text, name);

  // Every key the input's lines could name.
  for (const std::string& line : fuzz::Lines(text)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    while (!key.empty() && (key.front() == ' ' || key.front() == '\t')) key.erase(key.begin());
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    const auto value_text = pack.Text(key);
    const auto value = pack.Int(key);
    if (!value_text) {
      FUZZ_REQUIRE(!value);
      continue;
    }
    FUZZ_REQUIRE(value == ParseDecimalInt(*value_text));
    if (value) {
      FUZZ_REQUIRE(ParseDecimalInt(std::to_string(*value)) == value);
      FUZZ_REQUIRE(pack.IntOr(key, *value == 0 ? 1 : 0) == *value);
    }
  }
  const GeneralPack general = ReadGeneralPack(pack);
  FUZZ_REQUIRE(general.Num_Order == 0 || general.Num_Order == 1);
  return 0;
}
