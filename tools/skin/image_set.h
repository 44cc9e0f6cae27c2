// Names and pixel sizes of every image of the skin. The layout packs are
// computed from these sizes, so pictures and control positions agree.
#pragma once
#include <string>
#include <vector>

namespace zelko::skin {

struct ImageSize {
  int w;
  int h;
};

inline constexpr ImageSize kBackgroundSize{900, 660};  // L1_BackGround: sets the window size
inline constexpr ImageSize kPanelSize{684, 496};       // L1_Back1 .. L3_Back4
inline constexpr ImageSize kTabSize{168, 36};          // SetS
inline constexpr ImageSize kActionSize{120, 32};       // BtnS
inline constexpr ImageSize kCloseSize{32, 32};         // ExitS
inline constexpr ImageSize kMinimiseSize{32, 32};      // MiniS
inline constexpr ImageSize kWebSize{48, 48};           // WebS
inline constexpr ImageSize kKeyFrameSize{200, 36};     // KeyS
inline constexpr ImageSize kMacroButtonSize{120, 32};  // MacroS
inline constexpr ImageSize kPanelButtonSize{88, 28};   // MacroBtnS
inline constexpr ImageSize kSpeedNotchSize{20, 14};    // Bar1
inline constexpr ImageSize kDpiNotchSize{22, 16};      // Bar2
inline constexpr ImageSize kMarkerSize{16, 16};        // CbS
inline constexpr ImageSize kRadioSize{16, 16};         // RdS
inline constexpr ImageSize kSwatchSize{36, 20};        // Col_F
inline constexpr ImageSize kDialogSize{440, 220};      // Msg
inline constexpr ImageSize kInsertPanelSize{204, 380};  // InsertDelayBase, InsertKeyBase

inline constexpr int kLanguageCount = 3;

// Pixels at 8000 or more are outside every window: the packs use such
// positions for controls a given pack does not offer.
inline constexpr int kOutside = 8000;

struct ImageSpec {
  std::string name;
  ImageSize size;
};

// Every image name the window loads, with its size.
std::vector<ImageSpec> AllImages();

}  // namespace zelko::skin

namespace zelko::skin {

// The web button's place, set by the general pack "org" (Web_X, Web_Y); the
// background draws its well there.
inline constexpr int kWebX = 430;
inline constexpr int kWebY = 590;

}  // namespace zelko::skin
