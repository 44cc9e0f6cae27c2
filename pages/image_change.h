// A picture to put into a named image control: the unit in which the
// navigation and hover rules say what the window shows.
#pragma once
#include <string>
#include <vector>

namespace zelko {

struct ImageChange {
  std::string control;  // "Img_Apply_2"
  std::string image;    // "BtnS_03"
  bool operator==(const ImageChange&) const = default;
};

using ImageChanges = std::vector<ImageChange>;

}  // namespace zelko
