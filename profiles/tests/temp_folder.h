// A folder of its own for each test, removed afterwards.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace zelko::testing {

inline std::filesystem::path FreshTempFolder(const std::string& purpose) {
  std::random_device random;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "zelko77-" + purpose + "-" + (test ? std::string(test->name()) : std::string()) + "-" +
                     std::to_string(random());
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  auto folder = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace zelko::testing
