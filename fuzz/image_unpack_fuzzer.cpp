// The mouse's 2048-byte image as read: unpacked section by section with the
// checks that replace a damaged section by its built-in default and empty a
// macro slot whose content fails. The input is laid over factory image 1
// from address 0, so short inputs damage a real image.
//
// Properties: the repaired image is a fixed point (unpacking it repairs
// nothing and packing its working copies gives it back byte for byte); an
// image nothing was repaired in is left as it was; the settings decoded
// from it encode into a record that encodes to itself again, and a factory
// image encodes to itself byte for byte.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "image/factory_images.h"
#include "image/image_codec.h"
#include "image/workspace.h"
#include "macros/device_slots.h"
#include "macros/macro_lines.h"
#include "settings/mouse_settings.h"

namespace {

using namespace zelko;

bool NothingRepaired(const UnpackReport& report) {
  return !report.AnyRepaired() &&
         std::none_of(report.macro_slots.begin(), report.macro_slots.end(), [](bool b) { return b; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const DataBuf kBase = FactoryImage(1).value_or(DataBuf{});
  DataBuf image = kBase;
  std::copy_n(data, std::min(size, kDataBufSize), image.begin());

  Workspace workspace;
  const UnpackReport report = workspace.LoadImage(image, ImageSource::kDevice);
  FUZZ_REQUIRE(workspace.data_buf == image);  // unpacking leaves the image alone
  workspace.CommitRepairs(report);
  const DataBuf repaired = workspace.data_buf;
  if (NothingRepaired(report)) FUZZ_REQUIRE(repaired == image);

  ParameterRecord record{};
  BaseMacroArea macros{};
  FUZZ_REQUIRE(NothingRepaired(UnpackSections(repaired, record, macros)));
  FUZZ_REQUIRE(record == workspace.record);
  FUZZ_REQUIRE(macros == workspace.base_macro_area);
  DataBuf packed = repaired;
  PackImage(record, macros, packed);
  FUZZ_REQUIRE(packed == repaired);

  // The slots as the pages list them: the unpack already emptied every slot
  // that fails, so the slot check changes nothing more.
  BaseMacroArea area = macros;
  DeviceMacroSlots slots;
  ReadAndRefreshMacro(area, slots);
  FUZZ_REQUIRE(area == macros);
  for (const auto& content : slots.contents) (void)ContentToMacroLines(content);

  // Encoding normalises what the models cannot hold (the normal LED keeps
  // no mode mask or speed step); the record it writes is a fixed point.
  const ParameterRecord encoded = EncodedRecord(DecodeMouseSettings(record), record);
  const MouseSettings settings = DecodeMouseSettings(encoded);
  FUZZ_REQUIRE(EncodedRecord(settings, encoded) == encoded);
  DataBuf written = repaired;
  ParameterRecord to_write = encoded;
  PackImage(to_write, macros, written);
  ParameterRecord reread{};
  BaseMacroArea reread_macros{};
  FUZZ_REQUIRE(!UnpackSections(written, reread, reread_macros).AnyRepaired());
  // A factory image is written back byte for byte.
  static const std::optional<FactoryImages> kFactory = LoadFactoryImages();
  if (kFactory && std::find(kFactory->begin(), kFactory->end(), image) != kFactory->end()) {
    FUZZ_REQUIRE(written == image);
  }
  return 0;
}
