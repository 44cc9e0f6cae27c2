// The three factory images: complete 2048-byte parameter images compiled in
// as the resources "ZELKO77Data_Cfg1" to "ZELKO77Data_Cfg3".
#pragma once
#include <array>
#include <optional>

#include "image/image_layout.h"

namespace zelko {

inline constexpr int kFactoryImageCount = 3;

using FactoryImages = std::array<DataBuf, kFactoryImageCount>;

// Reads the three resources into buffers of their own. Nothing when one is
// missing or not 2048 bytes long.
[[nodiscard]] std::optional<FactoryImages> LoadFactoryImages();

// Factory image n (1..3); nothing for another n or a missing resource.
[[nodiscard]] std::optional<DataBuf> FactoryImage(int n);

}  // namespace zelko
