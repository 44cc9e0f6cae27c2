// A 5 x 7 pixel font of our own for the few words the skin carries (section
// headings on the page panels, the logo). Upper-case letters, digits and a
// little punctuation; lower-case letters are drawn as capitals.
#pragma once
#include <string_view>

#include "tools/skin/canvas.h"

namespace zelko::skin {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Width in pixels of a text drawn at the given scale (one blank pixel column
// between letters, times the scale, plus extra tracking per gap).
int TextWidth(std::string_view text, int scale = 1, int tracking = 0);

// Draws the text with its top-left corner at (x, y); every font pixel is a
// scale x scale square. Characters the font lacks are drawn as blanks.
void DrawText(Canvas& canvas, int x, int y, std::string_view text, Colour colour, int scale = 1,
              int tracking = 0);

}  // namespace zelko::skin
