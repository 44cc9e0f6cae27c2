// The program's icon as one geometry: a chamfered graphite tile with a cyan
// rim and a cyan "Z", on a 256-unit square. The same points draw the PNG
// sizes and write the scalable SVG, so the two never drift apart.
#pragma once
#include <string>
#include <vector>

#include "tools/skin/canvas.h"

namespace zelko::icon {

inline constexpr float kDesignSize = 256.0f;

// The tile's outline and the letter, in design units.
std::vector<skin::Vec> TilePoints();
std::vector<skin::Vec> LetterPoints();

// The icon drawn at `size` pixels square, transparent around the tile.
skin::Canvas DrawIcon(int size);

// The icon as an SVG document.
std::string IconSvg();

}  // namespace zelko::icon
