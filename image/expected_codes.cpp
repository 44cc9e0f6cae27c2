#include "image/expected_codes.h"

#include "image/factory_images.h"
#include "resources/general_pack.h"

namespace zelko {

ExpectedCodes ShippedExpectedCodes() {
  const auto [manufacturer, product] = ReserveIdentityFromGeneralPack();
  const DataBuf image1 = FactoryImage(1).value_or(DataBuf{});
  // A DataBuf always holds the identity bytes, so the builder gives codes.
  return MakeExpectedCodes(image1, static_cast<std::uint32_t>(manufacturer),
                           static_cast<std::uint32_t>(product))
      .value_or(ExpectedCodes{});
}

std::optional<std::string> ForeignIdentityProblem(const DataBuf& image, const ExpectedCodes& expected) {
  const IdentityCodes codes{image[kManufacturerCodeAddress], image[kProductCodeAddress]};
  if (IsAcceptedIdentity(codes, expected)) return std::nullopt;
  return "its manufacturer and product codes (" + std::to_string(codes.manufacturer) + ", " +
         std::to_string(codes.product) +
         " at 0x036, 0x037) are not a pair this program accepts: after writing it, the mouse could no "
         "longer be read or reset";
}

}  // namespace zelko
