// What stands between the user and the mouse on Linux, judged from facts
// gathered elsewhere (sysfs, open attempts, the installed udev rule).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/hid_transport.h"

namespace zelko {

struct NodeFacts {
  std::string path;
  std::optional<HidAttributes> attributes;
  std::optional<std::uint16_t> feature_report_length;
  int open_error = 0;  // errno of an O_RDWR open; 0 when it opened
  std::vector<std::string> holders;  // other programs that have it open
};

struct DoctorFacts {
  DeviceIdentity identity;
  bool hidraw_available = true;
  std::vector<NodeFacts> nodes;  // the nodes carrying `identity`
  std::string rule_path;         // where the rule is (or would be installed)
  std::optional<std::string> installed_rule;  // its text, if there is one
};

struct DoctorFinding {
  bool problem = false;
  std::string text;
  std::string fix;  // empty when there is nothing to do
};

std::vector<DoctorFinding> Diagnose(const DoctorFacts& facts);

}  // namespace zelko
