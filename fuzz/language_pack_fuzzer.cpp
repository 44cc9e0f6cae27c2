// A language pack: UTF-16LE INI text, normally with a byte-order mark. The
// first byte picks the section read ("lang1".."lang3"); the rest is the
// pack.
//
// Properties: a byte-order mark changes nothing; a key the pack has is
// found whatever its case; the text of an id is found again by its id.
#include <algorithm>
#include <cctype>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "resources/language_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  if (size == 0) return 0;
  const std::string section = LanguagePackName(1 + data[0] % kLanguageCount);
  const auto bytes = fuzz::Bytes(data + 1, size - 1);
  const LanguagePack pack = ParseLanguagePack(bytes, section);

  const bool has_mark = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  if (!has_mark) {
    std::vector<std::uint8_t> marked(bytes.size() + 2);
    marked[0] = 0xFF;
    marked[1] = 0xFE;
    std::copy(bytes.begin(), bytes.end(), marked.begin() + 2);
    FUZZ_REQUIRE(ParseLanguagePack(marked, section).size() == pack.size());
  }

  for (int id = 100; id <= 120; ++id) {
    const std::string key = "Str" + std::to_string(id);
    std::string upper = key;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    FUZZ_REQUIRE(pack.Has(key) == pack.Has(upper));
    FUZZ_REQUIRE(pack.Text(key) == pack.Text(upper));
    if (!pack.Has(key)) FUZZ_REQUIRE(pack.Text(key).empty());
  }
  const LanguagePack packs[] = {pack};
  for (const char* id : {"Str100", "Str101", "Str102"}) {
    const std::string text = pack.Text(id);
    if (!text.empty()) FUZZ_REQUIRE(!FindTextId(text, packs).empty());
  }
  return 0;
}
