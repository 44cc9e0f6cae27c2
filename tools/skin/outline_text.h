// The words of the pictures in any language: Latin capitals, digits and the
// font's punctuation in the skin's own pixel font, anything else (the
// Chinese pack's words) through FreeType from the CJK font the set-up
// installs.
#pragma once
#include <string_view>

#include "tools/skin/canvas.h"

namespace zelko::skin {

// True when the pixel font draws every character of the text.
bool PixelFontDraws(std::string_view text);

// Draws the text with its top at y, as DrawText does for pixel-font text;
// other text is drawn at a size that stands as tall as the pixel font times
// the scale, plus room for its strokes. False when a character could not be
// drawn (no CJK font found, or the font lacks it).
bool DrawWords(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale = 1,
               int tracking = 0);

// Width in pixels of DrawWords' text.
int WordsWidth(std::string_view text, int scale = 1, int tracking = 0);

}  // namespace zelko::skin
