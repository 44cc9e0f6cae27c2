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

}  // namespace zelko
