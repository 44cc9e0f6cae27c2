// A profile file of any size as `load` and `restore` take it: laid over the
// image read from the mouse (factory image 1 here), refused without the
// signature at 0x07F or with identity bytes no mouse is accepted with, then
// unpacked with its repairs committed into the image about to be written.
//
// Properties: a file is taken exactly when it reaches 0x07F and carries the
// signature; the taken image holds the file's bytes over the rest of the
// mouse's; what would be written keeps the signature and an accepted
// identity, and unpacks without a repair.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "image/image_flows.h"
#include "image/workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  static const DataBuf kMouse = FactoryImage(1).value_or(DataBuf{});
  static const ExpectedCodes kExpected = ShippedExpectedCodes();

  const auto file = fuzz::Bytes(data, size);
  const auto image = OverlayProfile(kMouse, file);
  const bool signed_file = size > kImageSignatureOffset && data[kImageSignatureOffset] == kImageSignature;
  FUZZ_REQUIRE(image.has_value() == signed_file);
  if (!image) return 0;
  const std::size_t covered = std::min(size, kDataBufSize);
  FUZZ_REQUIRE(std::equal(data, data + covered, image->begin()));
  FUZZ_REQUIRE(std::equal(kMouse.begin() + static_cast<std::ptrdiff_t>(covered), kMouse.end(),
                          image->begin() + static_cast<std::ptrdiff_t>(covered)));
  if (ForeignIdentityProblem(*image, kExpected)) return 0;

  Workspace workspace;
  const UnpackReport report = workspace.LoadImage(*image, ImageSource::kProfileFile);
  workspace.CommitRepairs(report);
  const DataBuf& written = workspace.data_buf;
  FUZZ_REQUIRE(written[kImageSignatureOffset] == kImageSignature);
  FUZZ_REQUIRE(!ForeignIdentityProblem(written, kExpected));
  ParameterRecord record{};
  BaseMacroArea macros{};
  FUZZ_REQUIRE(!UnpackSections(written, record, macros).AnyRepaired());
  return 0;
}
