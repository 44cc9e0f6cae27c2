// What every fuzz target shares: the entry libFuzzer calls, and the check
// that turns a broken property into a crash libFuzzer keeps as a finding.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zelko::fuzz {

// Stops the run with the property that did not hold.
[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
  std::abort();
}

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) {
  return {data, size};
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The text split at '\n' (a '\r' before it is dropped).
inline std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace zelko::fuzz

#define FUZZ_REQUIRE(condition) \
  ((condition) ? (void)0 : ::zelko::fuzz::Fail(#condition, __FILE__, __LINE__))
