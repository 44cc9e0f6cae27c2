#include "device/link_doctor.h"

#include <cerrno>
#include <cstdio>

#include "device/hidraw_nodes.h"
#include "device/supported_ids.h"
#include "device/udev_rule.h"

namespace zelko {
namespace {

std::string Ids(const DeviceIdentity& identity) {
  char text[16];
  std::snprintf(text, sizeof text, "%04x:%04x", identity.vendor_id & 0xFFFF,
                identity.product_id & 0xFFFF);
  return text;
}

bool IsConfigurationInterface(const NodeFacts& node) {
  return node.attributes && node.attributes->version == kSupportedDeviceVersion &&
         node.feature_report_length == kConfigurationReportLength;
}

const char* kInstallFix = "sudo zelko77ctl doctor --install-udev-rule, then unplug and replug the mouse";

}  // namespace

std::vector<DoctorFinding> Diagnose(const DoctorFacts& facts) {
  std::vector<DoctorFinding> findings;
  const std::string ids = Ids(facts.identity);
  const std::string expected_rule = UdevRuleText(facts.identity);

  if (!facts.hidraw_available) {
    findings.push_back({true, "this system has no hidraw support (/sys/class/hidraw is missing)",
                        "load the hidraw kernel module: sudo modprobe hidraw"});
  } else if (facts.nodes.empty()) {
    findings.push_back({true, "no hidraw node with id " + ids + " is present",
                        "plug the mouse in; if it is sold under another id, give it with --device VID:PID "
                        "(lsusb shows the ids)"});
  } else {
    bool configuration_found = false;
    for (const auto& node : facts.nodes) {
      const bool configuration = IsConfigurationInterface(node);
      configuration_found = configuration_found || configuration;
      char shape[96];
      std::snprintf(shape, sizeof shape, "version 0x%04X, %u-byte feature reports",
                    node.attributes ? node.attributes->version : 0u,
                    static_cast<unsigned>(node.feature_report_length.value_or(0)));
      const std::string what = node.path + " (" + shape +
                               (configuration ? ", the configuration interface)" : ")");
      if (!node.holders.empty()) {
        std::string names;
        for (const auto& holder : node.holders) names += (names.empty() ? "" : ", ") + holder;
        findings.push_back({true, what + " is also open in " + names,
                            "close that program while configuring: two programs talking to the mouse "
                            "at once spoil each other's transfers"});
      }
      if (node.open_error == 0) {
        findings.push_back({false, what + " opens", ""});
      } else if (node.open_error == EACCES || node.open_error == EPERM) {
        findings.push_back({true, what + " cannot be opened: permission denied", kInstallFix});
      } else if (node.open_error == EBUSY) {
        findings.push_back({true, what + " is held by another program",
                            "close other mouse utilities; 'fuser -v " + node.path + "' names them"});
      } else {
        findings.push_back({true, DescribeOpenError(node.path, node.open_error), ""});
      }
    }
    if (!configuration_found) {
      findings.push_back({true,
                          "none of the mouse's interfaces is the configuration interface "
                          "(version 0x0104 with 8-byte feature reports)",
                          "this mouse or its firmware is not one this program configures"});
    }
  }

  if (!facts.installed_rule) {
    findings.push_back({true, "the udev rule " + facts.rule_path + " is not installed", kInstallFix});
  } else if (*facts.installed_rule != expected_rule) {
    findings.push_back({true, "the udev rule " + facts.rule_path + " is stale (it does not match id " + ids + ")",
                        kInstallFix});
  } else {
    findings.push_back({false, "the udev rule " + facts.rule_path + " is installed", ""});
  }
  return findings;
}

}  // namespace zelko
