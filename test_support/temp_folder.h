// A folder of its own for one test, in the system's temporary folder,
// removed with everything in it when the test ends.
#pragma once
#include <filesystem>
#include <string>

namespace zelko::testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when no folder could be made.
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A whole file as text; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);

}  // namespace zelko::testing_support
