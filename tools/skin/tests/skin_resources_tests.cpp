// The images the window loads: present among the resources, decodable by
// libpng, of the sizes the layout packs were computed for.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "resources/resources.h"
#include "tools/skin/image_set.h"
#include "tools/skin/outline_text.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/png_io.h"

namespace zelko::skin {
namespace {

std::vector<ImageSpec> ListedImages() {
  std::ifstream in(std::string(ZELKO_REPOSITORY_ROOT) + "/resources/tests/skin_images.txt");
  std::vector<ImageSpec> listed;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ImageSpec entry;
    fields >> entry.name >> entry.size.w >> entry.size.h;
    listed.push_back(entry);
  }
  return listed;
}

RgbaImage Decode(const std::string& name) {
  const auto bytes = LookupResource(name);
  if (!bytes) {
    ADD_FAILURE() << name << " is not a resource";
    return {};
  }
  auto image = DecodePng(*bytes);
  if (!image) ADD_FAILURE() << name << " does not decode";
  return image.value_or(RgbaImage{});
}

TEST(SkinImages, TheListForTheWindowNamesEveryImageWithItsSize) {
  const auto listed = ListedImages();
  const auto expected = AllImages();
  ASSERT_EQ(expected.size(), listed.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].name, listed[i].name);
    EXPECT_EQ(expected[i].size.w, listed[i].size.w) << listed[i].name;
    EXPECT_EQ(expected[i].size.h, listed[i].size.h) << listed[i].name;
  }
}

TEST(SkinImages, EveryListedImageIsAResourceThatDecodesAtItsSize) {
  for (const ImageSpec& entry : ListedImages()) {
    const RgbaImage image = Decode(entry.name);
    EXPECT_EQ(entry.size.w, image.width) << entry.name;
    EXPECT_EQ(entry.size.h, image.height) << entry.name;
    bool drawn = false;
    for (std::size_t i = 3; i < image.rgba.size() && !drawn; i += 4) drawn = image.rgba[i] != 0;
    EXPECT_TRUE(drawn) << entry.name << " is empty";
  }
}

// The window makes maroon pixels transparent. The pictures that shape a
// window must have no half-transparent pixel (it would leave a fringe), must
// mark their outside with the colour key, and must have nothing maroon inside.
TEST(SkinImages, WindowShapesHaveHardEdgesAndTheColourKeyOutside) {
  for (const char* name : {"L1_BackGround", "L2_BackGround", "L3_BackGround", "Msg"}) {
    const RgbaImage image = Decode(name);
    ASSERT_GT(image.width, 0) << name;
    int outside = 0;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
      const std::uint8_t* p = &image.rgba[i];
      ASSERT_TRUE(p[3] == 0 || p[3] == 255) << name << " pixel " << i / 4 << " alpha " << int{p[3]};
      const bool key = p[0] == kColourKeyRed && p[1] == 0 && p[2] == 0;
      EXPECT_EQ(p[3] == 0, key) << name << " pixel " << i / 4;
      outside += p[3] == 0;
    }
    EXPECT_EQ(0, image.rgba[3]) << name << ": the top-left corner is cut away";
    EXPECT_GT(outside, 0) << name;
  }
}

// The Chinese pictures carry Chinese words: against the third language's
// (the same layout with Latin terms) they differ where the words stand.
TEST(SkinImages, TheChinesePicturesCarryTheirOwnWords) {
  for (const char* picture : {"BackGround", "Back1", "Back2", "Back3", "Back4"}) {
    const RgbaImage chinese = Decode(std::string("L2_") + picture);
    const RgbaImage latin = Decode(std::string("L3_") + picture);
    ASSERT_EQ(chinese.rgba.size(), latin.rgba.size()) << picture;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < chinese.rgba.size(); i += 4) {
      differing += std::equal(chinese.rgba.begin() + static_cast<std::ptrdiff_t>(i),
                              chinese.rgba.begin() + static_cast<std::ptrdiff_t>(i + 4),
                              latin.rgba.begin() + static_cast<std::ptrdiff_t>(i))
                       ? 0
                       : 1;
    }
    EXPECT_GT(differing, 150u) << picture;
  }
}

TEST(OutlineText, ChineseWordsAreDrawnWithTheCjkFont) {
  Canvas canvas(80, 20);
  ASSERT_TRUE(DrawWords(canvas, 0, 2, "按键设置", Hex(0xFFFFFF)));
  int covered = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) covered += canvas.At(x, y).a > 0.5f ? 1 : 0;
  }
  EXPECT_GT(covered, 40);
  EXPECT_GT(WordsWidth("按键设置"), 40);
  EXPECT_EQ(WordsWidth("KEYS"), TextWidth("KEYS"));
}

}  // namespace
}  // namespace zelko::skin
