#include "cli/no_device_hint.h"

#include <cstdio>

#include "cli/id_text.h"

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "device/hidraw_nodes.h"
#include "device/supported_ids.h"
#endif

namespace zelko::cli {

std::string ExplainNoDevice(const DeviceIdentity& identity) {
  const std::string who = "no ZELKO77 mouse with id " + IdentityText(identity) + " was found";
#ifdef __linux__
  const auto nodes = ListHidrawNodes();
  if (!nodes) return who + ": this system has no hidraw support (/sys/class/hidraw is missing).";
  std::string reasons;
  int matching = 0;
  for (const auto& node : *nodes) {
    if (!node.attributes || node.attributes->vendor_id != identity.vendor_id ||
        node.attributes->product_id != identity.product_id) {
      continue;
    }
    ++matching;
    const int fd = ::open(node.device_path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      reasons += "\n  " + DescribeOpenError(node.device_path, errno);
    } else {
      ::close(fd);
    }
  }
  if (matching == 0) {
    return who + ". Plug the mouse in (or give its id with --device VID:PID); "
                 "'zelko77ctl doctor' checks the set-up.";
  }
  if (!reasons.empty()) return who + " that could be opened:" + reasons;
  return who + " with its configuration interface (version 0x0104, 8-byte feature "
               "reports). Run 'zelko77ctl doctor' for details.";
#else
  return who + ". Plug the mouse in (or give its id with --device VID:PID).";
#endif
}

}  // namespace zelko::cli
