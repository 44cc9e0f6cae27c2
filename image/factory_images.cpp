#include "image/factory_images.h"

#include <algorithm>
#include <string>

#include "resources/resources.h"

namespace zelko {

std::optional<DataBuf> FactoryImage(int n) {
  if (n < 1 || n > kFactoryImageCount) return std::nullopt;
  const auto bytes = LookupResource("ZELKO77Data_Cfg" + std::to_string(n));
  if (!bytes || bytes->size() != kDataBufSize) return std::nullopt;
  DataBuf image;
  std::copy(bytes->begin(), bytes->end(), image.begin());
  return image;
}

std::optional<FactoryImages> LoadFactoryImages() {
  FactoryImages images;
  for (int n = 1; n <= kFactoryImageCount; ++n) {
    auto image = FactoryImage(n);
    if (!image) return std::nullopt;
    images[static_cast<std::size_t>(n - 1)] = *image;
  }
  return images;
}

}  // namespace zelko
