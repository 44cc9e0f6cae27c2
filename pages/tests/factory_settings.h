// The settings of a factory image, as a page shows them after a read.
#pragma once
#include <gtest/gtest.h>

#include "image/factory_images.h"
#include "image/image_codec.h"
#include "settings/mouse_settings.h"

namespace zelko::testing {

// Factory image 1's buttons: both profiles have Left Click on button 1 only
// (then Wheel, Right, Backward, Forward, DPI +, DPI Loop, DPI -, LED Switch).
inline MouseSettings FactorySettings(int n = 1) {
  const auto image = FactoryImage(n);
  EXPECT_TRUE(image.has_value());
  ParameterRecord record{};
  BaseMacroArea area{};
  if (image) (void)UnpackSections(*image, record, area);
  return DecodeMouseSettings(record);
}

}  // namespace zelko::testing
