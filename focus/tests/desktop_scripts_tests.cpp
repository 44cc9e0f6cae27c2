// The GNOME Shell extension and the KWin script name the switcher's bus
// name, object, interface and method as the switcher does, and the
// extension's folder and metadata carry the uuid that `gnome-extensions
// enable` is told.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "focus/focus_names.h"

namespace zelko {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(std::string_view s, char quote) { return quote + std::string(s) + quote; }

struct Script {
  const char* name;
  std::string path;
  char quote;
};

TEST(DesktopScripts, NameTheSwitchersBusEndpoint) {
  const std::string extension_dir =
      std::string(ZELKO_PACKAGING_DIR) + "/gnome-extension/" + std::string(focus_names::kGnomeExtensionUuid);
  const Script scripts[] = {
      {"GNOME Shell extension", extension_dir + "/extension.js", '\''},
      {"KWin script", std::string(ZELKO_PACKAGING_DIR) + "/" + std::string(focus_names::kKWinScriptFile), '"'},
  };
  for (const Script& script : scripts) {
    const std::string text = ReadText(script.path);
    ASSERT_FALSE(text.empty()) << script.path;
    for (std::string_view name : {focus_names::kBusName, focus_names::kObjectPath, focus_names::kInterface,
                                  focus_names::kFocusChanged}) {
      EXPECT_NE(text.find(Quoted(name, script.quote)), std::string::npos) << script.name << " lacks " << name;
    }
  }
  const std::string metadata = ReadText(extension_dir + "/metadata.json");
  EXPECT_NE(metadata.find("\"uuid\": \"" + std::string(focus_names::kGnomeExtensionUuid) + "\""), std::string::npos);
}

}  // namespace
}  // namespace zelko
