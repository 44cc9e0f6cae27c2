#include "keys/ascii_text.h"

namespace zelko {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::string UpperCaseAscii(std::string_view text) {
  std::string upper(text);
  for (auto& c : upper) c = Upper(c);
  return upper;
}

}  // namespace zelko
