// The fuzz targets as plain programs: each argument is an input file or a
// folder of them, and every input runs once through the target. A broken
// property aborts, so a corpus regression fails without libFuzzer.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/file_reading.h"
#include "fuzz/fuzz_check.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.is_regular_file(error)) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
  } else {
    inputs.push_back(path);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t runs = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& input : InputsOf(argv[i])) {
      std::string error;
      const auto bytes = zelko::ReadWholeFile(input.string(), &error);
      if (!bytes) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
      }
      (void)LLVMFuzzerTestOneInput(bytes->data(), bytes->size());
      ++runs;
    }
  }
  std::printf("%zu inputs ran\n", runs);
  return runs > 0 ? 0 : 1;
}
