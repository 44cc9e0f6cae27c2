#include "device/process_holders.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zelko {

std::vector<std::string> ProcessesHolding(const std::string& device_path, const std::string& proc_root) {
  namespace fs = std::filesystem;
  std::vector<std::string> holders;
  const std::string self = std::to_string(::getpid());
  std::error_code ec;
  for (const auto& process : fs::directory_iterator(proc_root, ec)) {
    const std::string pid = process.path().filename().string();
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
    std::error_code fd_ec;
    for (const auto& fd : fs::directory_iterator(process.path() / "fd", fd_ec)) {
      std::error_code link_ec;
      if (fs::read_symlink(fd.path(), link_ec) != fs::path(device_path)) continue;
      std::string name;
      std::ifstream(process.path() / "comm") >> name;
      holders.push_back(pid + " (" + (name.empty() ? "?" : name) + ")");
      break;
    }
  }
  return holders;
}

}  // namespace zelko
