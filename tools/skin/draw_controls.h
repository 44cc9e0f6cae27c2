// The small images of the skin: buttons in their states, bar notches,
// markers, radio images and the colour swatch frame.
#pragma once
#include <string>
#include <vector>

#include "tools/skin/canvas.h"

namespace zelko::skin {

struct NamedCanvas {
  std::string name;
  Canvas canvas;
};

// Every control image, named as the window loads it.
std::vector<NamedCanvas> DrawControlImages();

}  // namespace zelko::skin
