#include "test_support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <stdlib.h>
#endif

namespace zelko::testing_support {

TempFolder::TempFolder() {
  std::error_code error;
  const auto temp = std::filesystem::temp_directory_path(error);
  if (error) return;
#ifdef _WIN32
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = temp / ("zelko-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate;
      return;
    }
  }
#else
  std::string pattern = (temp / "zelko-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
#endif
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zelko::testing_support
