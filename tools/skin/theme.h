// The skin's colours: a near-black graphite base and one accent, electric cyan.
#pragma once
#include "tools/skin/canvas.h"

namespace zelko::skin::theme {

inline constexpr unsigned kBase = 0x0B0D11;      // deepest background
inline constexpr unsigned kBody = 0x12151B;      // window body
inline constexpr unsigned kPanel = 0x171B22;     // page panels, dialogs
inline constexpr unsigned kRaised = 0x1F252E;    // buttons at rest
inline constexpr unsigned kRaisedHi = 0x29303A;  // buttons hovered
inline constexpr unsigned kLine = 0x2B323D;      // hairlines, borders
inline constexpr unsigned kLineHi = 0x3A4452;    // stronger borders
inline constexpr unsigned kText = 0xD9DEE6;      // captions
inline constexpr unsigned kTextDim = 0x7D8896;   // headings, numbers
inline constexpr unsigned kAccent = 0x00D2FF;    // the one accent colour
inline constexpr unsigned kAccentDeep = 0x0092B3;
inline constexpr unsigned kAccentDark = 0x07394A;

inline Colour C(unsigned rgb, float alpha = 1.0f) { return Hex(rgb, alpha); }

}  // namespace zelko::skin::theme
