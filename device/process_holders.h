// Which running programs hold a device node open (Linux: /proc/PID/fd).
#pragma once
#include <string>
#include <vector>

namespace zelko {

// "1234 (openrgb)" for every process with `device_path` among its open
// files, except the calling process. Processes whose fds cannot be read
// (other users' without root) are not seen.
std::vector<std::string> ProcessesHolding(const std::string& device_path,
                                          const std::string& proc_root = "/proc");

}  // namespace zelko
