// A slot file (`macro import-slots`): up to seven 256-byte records that
// replace the mouse's macro slots they reach, over the slots of factory
// image 1.
//
// Properties: the whole records of the file (at most seven) replace their
// slots, a content that fails the slot check is emptied and its name kept,
// the slots it does not reach keep what they held; the area about to be
// written holds no slot the next load of the image would empty, so it is a
// fixed point of the image's unpack.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "image/factory_images.h"
#include "image/image_codec.h"
#include "macros/device_slots.h"
#include "macros/macro_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  static const DataBuf kMouse = FactoryImage(1).value_or(DataBuf{});
  BaseMacroArea before{};
  std::copy_n(kMouse.begin() + kMacroAreaOffset, kMacroAreaSize, before.begin());
  const DeviceMacroSlots kept = ReadDeviceSlots(before);

  BaseMacroArea area = before;
  DeviceMacroSlots slots;
  const std::size_t read = LoadSlotFile(fuzz::Bytes(data, size), area, slots);
  FUZZ_REQUIRE(read == std::min<std::size_t>(size / kMacroRecordSize, kDeviceSlotCount));

  for (std::size_t i = 0; i < static_cast<std::size_t>(kDeviceSlotCount); ++i) {
    const MacroName& name = slots.names[i];
    const MacroContent& content = slots.contents[i];
    FUZZ_REQUIRE(std::equal(name.begin(), name.end(), area.begin() + static_cast<std::ptrdiff_t>(i * kMacroRecordSize)));
    FUZZ_REQUIRE(std::equal(content.begin(), content.end(),
                            area.begin() + static_cast<std::ptrdiff_t>(i * kMacroRecordSize + kMacroNameSize)));
    if (i < read) {
      const MacroRecord given = RecordFromBytes(
          std::span<const std::uint8_t, kMacroRecordSize>(data + i * kMacroRecordSize, kMacroRecordSize));
      FUZZ_REQUIRE(name == given.name);
      FUZZ_REQUIRE(content == (ContentChecksumHolds(given.content) ? given.content : MacroContent{}));
    } else {
      FUZZ_REQUIRE(name == kept.names[i] && content == kept.contents[i]);
    }
    (void)ContentToMacroLines(content);
  }

  DataBuf image = kMouse;
  CopyMacroAreaToImage(area, image);
  ParameterRecord record{};
  BaseMacroArea unpacked{};
  const UnpackReport report = UnpackSections(image, record, unpacked);
  FUZZ_REQUIRE(std::none_of(report.macro_slots.begin(), report.macro_slots.end(), [](bool b) { return b; }));
  FUZZ_REQUIRE(unpacked == area);
  return 0;
}
