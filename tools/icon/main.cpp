// Writes the program's icon into packaging/icons: zelko77-48.png,
// zelko77-128.png, zelko77-256.png and zelko77.svg. Run by hand after a
// change of the design; the files are committed.
#include <cstdio>
#include <string>
#include <string_view>

#include "tools/icon/icon_design.h"
#include "tools/skin/png_io.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::string_view(argv[1]) != "--root") {
    std::fprintf(stderr, "usage: icon_generator --root <repository>\n");
    return 2;
  }
  const std::string folder = std::string(argv[2]) + "/packaging/icons/";
  bool ok = true;
  for (int size : {48, 128, 256}) {
    const auto png = zelko::skin::EncodePng(
        zelko::skin::ToRgba(zelko::icon::DrawIcon(size), zelko::skin::Outside::kBlack));
    const std::string path = folder + "zelko77-" + std::to_string(size) + ".png";
    if (!png || !zelko::skin::WriteFileAtomically(path, *png)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  const std::string svg = zelko::icon::IconSvg();
  const std::string path = folder + "zelko77.svg";
  if (!zelko::skin::WriteFileAtomically(
          path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()))) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    ok = false;
  }
  return ok ? 0 : 1;
}
