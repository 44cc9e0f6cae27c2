#include "device/hidraw_nodes.h"
#include "device/hidraw_transport.h"
#include "device/process_holders.h"
#include "device/device_link.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace zelko {
namespace {

namespace fs = std::filesystem;

// A made-up sysfs: class/hidrawN -> a HID device folder below a USB device
// folder holding bcdDevice.
class FakeSysfs {
 public:
  FakeSysfs() : root_(fs::temp_directory_path() / ("zelko-sysfs-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
    fs::create_directories(root_ / "class");
  }
  ~FakeSysfs() { fs::remove_all(root_); }

  void AddNode(const std::string& name, const std::string& hid_id, const std::string& bcd,
               const std::vector<std::uint8_t>& descriptor) {
    const fs::path usb = root_ / "devices" / (name + "-usb");
    const fs::path hid = usb / "1-1:1.2" / ("0003:" + name + ".0001");
    fs::create_directories(hid);
    if (!bcd.empty()) Write(usb / "bcdDevice", bcd + "\n");
    Write(hid / "uevent", "DRIVER=hid-generic\nHID_ID=" + hid_id + "\nHID_NAME=Mouse\n");
    Write(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
    fs::create_directories(root_ / "class" / name);
    fs::create_directory_symlink(hid, root_ / "class" / name / "device");
  }

  // A stand-in device file for the node (ioctls on it fail).
  void AddDeviceFile(const std::string& name) {
    fs::create_directories(root_ / "dev");
    Write(root_ / "dev" / name, "");
  }

  HidrawRoots roots() const { return {(root_ / "class").string(), "/dev"}; }
  HidrawRoots roots_with_dev() const { return {(root_ / "class").string(), (root_ / "dev").string()}; }

 private:
  static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  static inline int counter_ = 0;
  fs::path root_;
};

const std::vector<std::uint8_t> kVendor8 = {0x85, 0x04, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02};

TEST(HidrawNodes, ListsNodesInNumberOrderWithIdsVersionAndReportLength) {
  FakeSysfs sysfs;
  sysfs.AddNode("hidraw10", "0003:00003151:00007707", "0104", kVendor8);
  sysfs.AddNode("hidraw2", "0003:0000046D:0000C077", "7200", {});
  sysfs.AddNode("hidraw3", "0003:00003151:00007707", "", kVendor8);  // no USB parent found

  const auto nodes = ListHidrawNodes(sysfs.roots());
  ASSERT_TRUE(nodes.has_value());
  ASSERT_EQ(nodes->size(), 3u);
  EXPECT_EQ((*nodes)[0].name, "hidraw2");
  EXPECT_EQ((*nodes)[2].name, "hidraw10");
  const HidrawNode& mouse = (*nodes)[2];
  EXPECT_EQ(mouse.device_path, "/dev/hidraw10");
  ASSERT_TRUE(mouse.attributes.has_value());
  EXPECT_EQ(mouse.attributes->vendor_id, 0x3151);
  EXPECT_EQ(mouse.attributes->product_id, 0x7707);
  EXPECT_EQ(mouse.attributes->version, 0x0104);
  EXPECT_EQ(mouse.feature_report_length, 8);
  EXPECT_EQ((*nodes)[0].feature_report_length, 0);
  EXPECT_EQ((*nodes)[1].attributes->version, 0);

  const auto found = FindHidrawNode("/dev/hidraw10", sysfs.roots());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->attributes->version, 0x0104);
  EXPECT_FALSE(FindHidrawNode("/dev/hidraw99", sysfs.roots()).has_value());
}

TEST(HidrawTransport, FindsTheConfigurationNodeAndReportsNodesThatDoNotOpen) {
  FakeSysfs sysfs;
  const std::vector<std::uint8_t> pointer = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0};
  sysfs.AddNode("hidraw0", "0003:00003151:00007707", "0104", pointer);
  sysfs.AddNode("hidraw1", "0003:00003151:00007707", "0104", kVendor8);
  sysfs.AddNode("hidraw2", "0003:00003151:00007707", "0104", kVendor8);  // its device file is missing
  sysfs.AddDeviceFile("hidraw0");
  sysfs.AddDeviceFile("hidraw1");

  HidrawTransport transport(sysfs.roots_with_dev());
  DeviceLink link(transport);
  EXPECT_EQ(link.CountHidDevices(), 2);
  ASSERT_EQ(transport.open_failures().size(), 1u);
  EXPECT_NE(transport.open_failures()[0].path.find("hidraw2"), std::string::npos);
  EXPECT_EQ(transport.open_failures()[0].error, ENOENT);

  std::uint32_t version = 0x0104;
  ASSERT_TRUE(link.OpenHidDevice(0x3151, 0x7707, version));
  EXPECT_NE(link.DevicePath().find("hidraw1"), std::string::npos);
  // A plain file is no HID device: the transfer fails instead of hanging.
  std::array<std::uint8_t, 8> report{0x04, 0x01};
  EXPECT_FALSE(transport.SetFeature(link.state().DeviceHandle, report));
  EXPECT_FALSE(transport.GetFeature(link.state().DeviceHandle, report));
}

TEST(ProcessHolders, NamesProcessesWithTheNodeOpen) {
  const fs::path proc = fs::temp_directory_path() / ("zelko-proc-" + std::to_string(::getpid()));
  const auto add_process = [&](const std::string& pid, const std::string& name, const std::string& target) {
    fs::create_directories(proc / pid / "fd");
    std::ofstream(proc / pid / "comm") << name << "\n";
    fs::create_symlink(target, proc / pid / "fd" / "7");
  };
  add_process("100", "openrgb", "/dev/hidraw5");
  add_process("200", "bash", "/dev/pts/0");
  add_process(std::to_string(::getpid()), "self", "/dev/hidraw5");  // the caller itself
  fs::create_directories(proc / "self");
  EXPECT_EQ(ProcessesHolding("/dev/hidraw5", proc.string()), std::vector<std::string>{"100 (openrgb)"});
  EXPECT_TRUE(ProcessesHolding("/dev/hidraw6", proc.string()).empty());
  fs::remove_all(proc);
}

TEST(HidrawNodes, NoClassFolderMeansNoHidraw) {
  EXPECT_FALSE(ListHidrawNodes({"/nonexistent/zelko/hidraw", "/dev"}).has_value());
}

TEST(HidrawNodes, ParsesTheHidIdOfAUevent) {
  using Ids = std::pair<std::uint16_t, std::uint16_t>;
  EXPECT_EQ(ParseUeventHidId("HID_ID=0003:00003151:00007707\n"), (Ids{0x3151, 0x7707}));
  EXPECT_EQ(ParseUeventHidId("DRIVER=x\nHID_ID=0005:0000046d:0000b023\nHID_NAME=y"), (Ids{0x046D, 0xB023}));
  EXPECT_FALSE(ParseUeventHidId("DRIVER=x\n").has_value());
  EXPECT_FALSE(ParseUeventHidId("HID_ID=0003:00013151:00007707").has_value());  // id wider than 16 bits
  EXPECT_FALSE(ParseUeventHidId("HID_ID=garbage").has_value());
}

TEST(HidrawNodes, OpenErrorsNameThePathAndTheFix) {
  const std::string denied = DescribeOpenError("/dev/hidraw4", EACCES);
  EXPECT_NE(denied.find("/dev/hidraw4"), std::string::npos);
  EXPECT_NE(denied.find("--install-udev-rule"), std::string::npos);
  const std::string busy = DescribeOpenError("/dev/hidraw4", EBUSY);
  EXPECT_NE(busy.find("another program"), std::string::npos);
  EXPECT_NE(busy.find("fuser -v /dev/hidraw4"), std::string::npos);
}

}  // namespace
}  // namespace zelko
