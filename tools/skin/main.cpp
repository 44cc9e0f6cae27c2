// skin_generator: draws every image of the skin and writes the layout packs
// org1..org3 from the same geometry. Run by hand, not at build time:
//   skin_generator --root <repository> [--preview <folder>]
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tools/skin/draw_controls.h"
#include "tools/skin/draw_pages.h"
#include "tools/skin/image_set.h"
#include "tools/skin/png_io.h"
#include "tools/skin/preview.h"
#include "tools/skin/skin_layout.h"

namespace zelko::skin {
namespace {

struct Options {
  std::string root;
  std::string preview;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if ((arg == "--root" || arg == "--preview") && i + 1 < argc) {
      (arg == "--root" ? options.root : options.preview) = argv[++i];
    } else {
      return false;
    }
  }
  return !options.root.empty();
}

// Images that give a window its shape keep the colour key in their outside.
bool ShapesAWindow(const std::string& name) {
  return name == "Msg" || name.ends_with("_BackGround");
}

ImageMap DrawEverything(const std::vector<SkinLayout>& layouts) {
  ImageMap images;
  for (NamedCanvas& named : DrawControlImages()) images.emplace(named.name, std::move(named.canvas));
  for (const SkinLayout& layout : layouts) {
    const std::string l = "L" + std::to_string(layout.language()) + "_";
    images.emplace(l + "BackGround", DrawBackground(layout));
    images.emplace(l + "Back1", DrawMainPanel(layout));
    images.emplace(l + "Back2", DrawAdvancedPanel(layout));
    images.emplace(l + "Back3", DrawLightPanel(layout));
    images.emplace(l + "Back4", DrawMacroPanel(layout));
  }
  images.emplace("Msg", DrawDialogBackground());
  images.emplace("InsertDelayBase", DrawInsertPanel(false));
  images.emplace("InsertKeyBase", DrawInsertPanel(true));
  return images;
}

bool WritePng(const std::string& path, const Canvas& canvas, Outside outside) {
  const auto bytes = EncodePng(ToRgba(canvas, outside));
  if (!bytes || !WriteFileAtomically(path, *bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool WriteText(const std::string& path, const std::string& text) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteFileAtomically(path, {data, text.size()})) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

int Run(const Options& options) {
  std::vector<SkinLayout> layouts;
  for (int n = 1; n <= kLanguageCount; ++n) layouts.push_back(BuildLayout(n));
  const ImageMap images = DrawEverything(layouts);

  bool ok = true;
  std::string list =
      "# Every image the window loads, with its size in pixels: name width height.\n"
      "# Written by skin_generator (tools/skin); the skin tests check it.\n";
  for (const ImageSpec& entry : AllImages()) {
    const auto it = images.find(entry.name);
    if (it == images.end() || it->second.width() != entry.size.w || it->second.height() != entry.size.h) {
      std::fprintf(stderr, "image %s was not drawn at %dx%d\n", entry.name.c_str(), entry.size.w, entry.size.h);
      return 1;
    }
    const Outside outside = ShapesAWindow(entry.name) ? Outside::kColourKey : Outside::kBlack;
    ok = WritePng(options.root + "/resources/images/" + entry.name + ".png", it->second, outside) && ok;
    list += entry.name + " " + std::to_string(entry.size.w) + " " + std::to_string(entry.size.h) + "\n";
  }
  for (const SkinLayout& layout : layouts) {
    ok = WriteText(options.root + "/resources/packs/" + layout.SectionName() + ".ini", PackText(layout)) && ok;
  }
  ok = WriteText(options.root + "/resources/tests/skin_images.txt", list) && ok;

  if (!options.preview.empty()) {
    ok = WritePng(options.preview + "/preview_controls.png", ComposeControlSheet(images), Outside::kBlack) && ok;
    for (const SkinLayout& layout : layouts) {
      const std::string l = options.preview + "/preview_L" + std::to_string(layout.language());
      for (int page = 1; page <= 5; ++page) {
        ok = WritePng(l + "_page" + std::to_string(page) + ".png", ComposePreview(layout, page, images),
                      Outside::kBlack) && ok;
      }
      ok = WritePng(l + "_dialog.png", ComposeDialogPreview(layout, images), Outside::kBlack) && ok;
    }
  }
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace zelko::skin

int main(int argc, char** argv) {
  zelko::skin::Options options;
  if (!zelko::skin::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: skin_generator --root <repository> [--preview <folder>]\n");
    return 2;
  }
  return zelko::skin::Run(options);
}
