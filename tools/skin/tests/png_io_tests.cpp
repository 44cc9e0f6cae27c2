#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "tools/skin/png_io.h"

namespace zelko::skin {
namespace {

RgbaImage Gradient(int w, int h, bool with_alpha) {
  RgbaImage image{w, h, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      image.rgba.push_back(static_cast<std::uint8_t>(x * 7));
      image.rgba.push_back(static_cast<std::uint8_t>(y * 5));
      image.rgba.push_back(static_cast<std::uint8_t>(x + y));
      image.rgba.push_back(with_alpha ? static_cast<std::uint8_t>((x * 13 + y) % 256) : 255);
    }
  }
  return image;
}

RgbaImage FewColours() {
  RgbaImage image{5, 3, {}};
  const std::uint8_t colours[3][4] = {{128, 0, 0, 0}, {0, 210, 255, 255}, {20, 20, 20, 128}};
  for (int i = 0; i < 15; ++i) {
    const auto& c = colours[i % 3];
    image.rgba.insert(image.rgba.end(), c, c + 4);
  }
  return image;
}

// Every colour type the encoder picks (palette with transparency, RGB, RGBA)
// must decode to exactly the pixels it was given.
TEST(PngIo, EncodedImagesDecodeToTheSamePixels) {
  for (const RgbaImage& original : {FewColours(), Gradient(40, 30, false), Gradient(40, 30, true)}) {
    const auto bytes = EncodePng(original);
    ASSERT_TRUE(bytes.has_value());
    const auto decoded = DecodePng(*bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, original.width);
    EXPECT_EQ(decoded->height, original.height);
    EXPECT_EQ(decoded->rgba, original.rgba);
  }
}

TEST(PngIo, RejectsWhatIsNotAPngAndImagesOfNoSize) {
  const std::uint8_t junk[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3};
  EXPECT_FALSE(DecodePng(junk).has_value());
  EXPECT_FALSE(DecodePng({}).has_value());
  EXPECT_FALSE(EncodePng(RgbaImage{0, 0, {}}).has_value());
  EXPECT_FALSE(EncodePng(RgbaImage{2, 2, {1, 2, 3}}).has_value());
}

TEST(PngIo, FullyTransparentPixelsCarryTheColourKeyOnlyWhereAsked) {
  Canvas canvas(2, 1);
  canvas.Set(1, 0, Hex(0x112233));
  const RgbaImage keyed = ToRgba(canvas, Outside::kColourKey);
  const RgbaImage plain = ToRgba(canvas, Outside::kBlack);
  EXPECT_EQ((std::vector<std::uint8_t>{128, 0, 0, 0, 0x11, 0x22, 0x33, 255}), keyed.rgba);
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 0, 0, 0x11, 0x22, 0x33, 255}), plain.rgba);
}

TEST(PngIo, AtomicWriteReplacesTheFileAndLeavesItAloneOnFailure) {
  const auto dir = std::filesystem::temp_directory_path() / ("skin_io_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "out.bin").string();
  const std::uint8_t first[] = {1, 2, 3};
  const std::uint8_t second[] = {9, 8};
  ASSERT_TRUE(WriteFileAtomically(path, first));
  ASSERT_TRUE(WriteFileAtomically(path, second));
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> read((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ((std::vector<char>{9, 8}), read);
  EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "out.bin").string(), first));
  // no temporary file is left behind
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zelko::skin
