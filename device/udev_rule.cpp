#include "device/udev_rule.h"

#include <cstdio>

namespace zelko {

std::string UdevRuleText(const DeviceIdentity& identity) {
  char ids[96];
  std::snprintf(ids, sizeof ids, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"",
                identity.vendor_id & 0xFFFF, identity.product_id & 0xFFFF);
  return std::string(
             "# ZELKO77 gaming mouse: lets the user at the seat open the mouse's HID\n"
             "# interfaces to configure it (zelko77ctl and the ZELKO77 window).\n"
             "# Install as /etc/udev/rules.d/70-zelko77.rules, then run\n"
             "#   udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw\n"
             "SUBSYSTEM==\"hidraw\", ") +
         ids + ", TAG+=\"uaccess\"\n";
}

}  // namespace zelko
