#include "device/link_doctor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "device/supported_ids.h"
#include "device/udev_rule.h"

namespace zelko {
namespace {

const DeviceIdentity kMouse{SupportedVendorId, SupportedProductId};

NodeFacts ConfigurationNode(int open_error = 0) {
  return {"/dev/hidraw5", HidAttributes{SupportedVendorId, SupportedProductId, 0x0104}, 8, open_error, {}};
}

DoctorFacts Facts(std::vector<NodeFacts> nodes, std::optional<std::string> rule) {
  DoctorFacts facts;
  facts.identity = kMouse;
  facts.nodes = std::move(nodes);
  facts.rule_path = "/etc/udev/rules.d/70-zelko77.rules";
  facts.installed_rule = std::move(rule);
  return facts;
}

std::string Problems(const std::vector<DoctorFinding>& findings) {
  std::string all;
  for (const auto& f : findings) {
    if (f.problem) all += f.text + " => " + f.fix + "\n";
  }
  return all;
}

TEST(LinkDoctor, NamesEachObstacleWithItsFix) {
  const std::string good_rule = UdevRuleText(kMouse);
  struct Case {
    const char* name;
    DoctorFacts facts;
    std::vector<std::string> expected;  // fragments of the problems, in order
  };
  DoctorFacts no_hidraw = Facts({}, good_rule);
  no_hidraw.hidraw_available = false;
  NodeFacts shared = ConfigurationNode();
  shared.holders = {"100 (openrgb)"};
  NodeFacts pointer_only = ConfigurationNode();
  pointer_only.feature_report_length = 0;
  const Case cases[] = {
      {"all well", Facts({ConfigurationNode()}, good_rule), {}},
      {"no hidraw support", no_hidraw, {"no hidraw support", "=> load the hidraw kernel module"}},
      {"mouse absent", Facts({}, good_rule), {"no hidraw node with id 3151:7707"}},
      {"permission denied", Facts({ConfigurationNode(EACCES)}, good_rule), {"permission denied => sudo zelko77ctl doctor --install-udev-rule"}},
      {"held by another program", Facts({ConfigurationNode(EBUSY)}, good_rule), {"held by another program => close other mouse utilities; 'fuser -v /dev/hidraw5'"}},
      {"open in another program", Facts({shared}, good_rule), {"is also open in 100 (openrgb) => close that program"}},
      {"no configuration interface", Facts({pointer_only}, good_rule), {"configuration interface"}},
      {"rule missing", Facts({ConfigurationNode()}, std::nullopt), {"is not installed => sudo zelko77ctl doctor --install-udev-rule"}},
      {"rule stale", Facts({ConfigurationNode()}, UdevRuleText({0x1234, 0x5678})), {"is stale"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string problems = Problems(Diagnose(c.facts));
    if (c.expected.empty()) {
      EXPECT_EQ(problems, "");
    }
    for (const auto& fragment : c.expected) EXPECT_NE(problems.find(fragment), std::string::npos) << problems;
  }
}

TEST(UdevRule, GrantsSeatAccessForTheMouseIdsOnly) {
  const std::string rule = UdevRuleText(kMouse);
  EXPECT_NE(rule.find("SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"3151\", ATTRS{idProduct}==\"7707\", TAG+=\"uaccess\""),
            std::string::npos);
  EXPECT_EQ(rule.find("MODE"), std::string::npos);
}

TEST(UdevRule, TheShippedFileIsTheOneDoctorInstalls) {
  std::ifstream in(std::string(ZELKO_SOURCE_DIR) + "/packaging/70-zelko77.rules", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), UdevRuleText(kMouse));
}

}  // namespace
}  // namespace zelko
