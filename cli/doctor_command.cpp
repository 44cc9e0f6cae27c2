#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "cli/command_json.h"
#include "cli/device_commands.h"
#include "cli/device_session.h"
#include "cli/id_text.h"
#include "base/atomic_file.h"
#include "base/file_reading.h"
#include "base/number_text.h"
#include "device/link_doctor.h"
#include "device/supported_ids.h"
#include "device/udev_rule.h"

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>

#include "device/hidraw_nodes.h"
#include "device/process_holders.h"
#endif

namespace zelko::cli {
namespace {

namespace fs = std::filesystem;

// The installed rule: in the given folder only, or else the first of the
// folders udev reads.
std::string FindRulePath(const std::string& rules_dir) {
  if (!rules_dir.empty()) return (fs::path(rules_dir) / kUdevRuleFileName).string();
  for (const char* folder : kUdevRuleFolders) {
    const fs::path path = fs::path(folder) / kUdevRuleFileName;
    std::error_code ec;
    if (fs::exists(path, ec)) return path.string();
  }
  return (fs::path(kUdevRulesFolder) / kUdevRuleFileName).string();
}

DoctorFacts GatherFacts(const DeviceIdentity& identity, const std::string& rule_path,
                        [[maybe_unused]] const std::string& hidraw_root) {
  DoctorFacts facts;
  facts.identity = identity;
  facts.rule_path = rule_path;
  std::error_code ec;
  if (fs::exists(rule_path, ec)) {
    if (auto bytes = ReadWholeFile(rule_path)) facts.installed_rule = std::string(bytes->begin(), bytes->end());
  }
#ifdef __linux__
  HidrawRoots roots;
  if (!hidraw_root.empty()) {
    roots.sysfs_class = (fs::path(hidraw_root) / "sys" / "class" / "hidraw").string();
    roots.dev = (fs::path(hidraw_root) / "dev").string();
  }
  const auto nodes = ListHidrawNodes(roots);
  facts.hidraw_available = nodes.has_value();
  for (const auto& node : nodes.value_or(std::vector<HidrawNode>{})) {
    if (!node.attributes || node.attributes->vendor_id != identity.vendor_id ||
        node.attributes->product_id != identity.product_id) {
      continue;
    }
    NodeFacts node_facts{node.device_path, node.attributes, node.feature_report_length, 0, {}};
    const int fd = ::open(node.device_path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) node_facts.open_error = errno; else ::close(fd);
    node_facts.holders = ProcessesHolding(node.device_path);
    facts.nodes.push_back(node_facts);
  }
#else
  facts.hidraw_available = false;
#endif
  return facts;
}

bool InstallRule(const DeviceIdentity& identity, const std::string& rules_dir) {
  const std::string folder = rules_dir.empty() ? kUdevRulesFolder : rules_dir;
  const std::string path = (fs::path(folder) / kUdevRuleFileName).string();
  const std::string text = UdevRuleText(identity);
  const std::string error = WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (!error.empty()) {
    const bool denied = error.find(std::strerror(EACCES)) != std::string::npos ||
                        error.find(std::strerror(EPERM)) != std::string::npos;
    PrintError(error + (denied ? ". Installing the rule needs root rights: sudo zelko77ctl doctor "
                                 "--install-udev-rule"
                               : ""));
    return false;
  }
  std::printf("installed %s\n", path.c_str());
  std::printf("now run: sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw\n");
  std::printf("then unplug and replug the mouse\n");
  return true;
}

}  // namespace

void RunDoctor(CliContext& context, const DoctorOptions& options) {
  const auto resolved = ResolveDeviceIdentity(context);
  if (!resolved) return;
  const DeviceIdentity identity = *resolved;
#ifdef _WIN32
  // Windows reaches the mouse through its own HID driver: there is no
  // hidraw node to look at and no udev rule to install.
  std::printf("doctor checks the Linux set-up (hidraw and the udev rule); Windows needs neither: "
              "zelko77ctl info says whether the mouse is found\n");
  if (options.install_rule) context.exit_code = kExitBadInput;
  return;
#endif
  if (context.options.mouse.simulate) {
    std::fprintf(context.options.json ? stderr : stdout, "note: doctor checks the real set-up; --simulate is ignored here\n");
  }
  if (options.install_rule && !InstallRule(identity, options.rules_dir)) {
    context.exit_code = kExitFailure;
    return;
  }

  const DoctorFacts facts = GatherFacts(identity, FindRulePath(options.rules_dir), options.hidraw_root);
  bool problems = false;
  const auto findings = Diagnose(facts);
  for (const auto& finding : findings) {
    if (!context.options.json) {
      std::printf("%s %s\n", finding.problem ? "problem:" : "ok:     ", finding.text.c_str());
      if (!finding.fix.empty()) std::printf("  fix: %s\n", finding.fix.c_str());
    }
    problems = problems || finding.problem;
  }
  const bool found = facts.hidraw_available && !facts.nodes.empty();
  if (context.options.json) std::printf("%s\n", DoctorJson(findings, found).dump(2).c_str());
  if (!found) {
    context.exit_code = kExitNoDevice;
  } else if (problems) {
    context.exit_code = kExitFailure;
  }
}

}  // namespace zelko::cli
