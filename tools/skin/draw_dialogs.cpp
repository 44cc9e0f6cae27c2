// The dialog background "Msg" and the macro page's insert panels.
#include "tools/skin/draw_pages.h"
#include "tools/skin/image_set.h"
#include "tools/skin/panel_kit.h"
#include "tools/skin/theme.h"

namespace zelko::skin {

using namespace theme;

Canvas DrawDialogBackground() {
  constexpr float w = kDialogSize.w, h = kDialogSize.h;
  constexpr float title = 50, footer = 150;
  Canvas body(kDialogSize.w, kDialogSize.h);
  body.Fill(RoundRect({0, 0, w, h}, 0), Vertical(C(kPanel), C(kBody), 0, h));
  body.Fill(RoundRect({0, 0, w, title}, 0), Vertical(C(kRaised), C(kPanel), 0, title));
  body.Fill(Segment({0, title - 0.5f}, {w, title - 0.5f}, 0.5f), C(kLine));
  body.Fill(RoundRect({0, footer, w, h - footer}, 0), C(kBase, 0.55f));
  body.Fill(Segment({0, footer + 0.5f}, {w, footer + 0.5f}, 0.5f), C(kLine));
  const Shape outline = Chamfered({0, 0, w, h}, 16, 0, 16, 0);
  body.Fill(InnerOutline(outline, 1), C(kLineHi));
  body.Fill(Segment({0, 16}, {16, 0}, 1.2f), C(kAccent));
  body.Fill(Segment({16, 1.5f}, {150, 1.5f}, 1), C(kAccent));
  body.Fill(Segment({w - 16, h}, {w, h - 16}, 1.2f), C(kAccentDeep));
  return CutHard(body, outline);
}

Canvas DrawInsertPanel(bool for_keys) {
  constexpr float w = kInsertPanelSize.w, h = kInsertPanelSize.h;
  Canvas c(kInsertPanelSize.w, kInsertPanelSize.h);
  const Shape plate = Chamfered({0.5f, 0.5f, w - 1, h - 1}, 10, 0, 10, 0);
  c.Fill(plate, Vertical(C(kRaised), C(kPanel), 0, h));
  c.Fill(InnerOutline(plate, 1.2f), C(kAccentDeep));
  c.Fill(Segment({1.5f, 10}, {10, 1.5f}, 1), C(kAccent));
  // header behind the insert choice list
  c.Fill(RoundRect({1, 1, w - 2, 40}, 0), C(kBase, 0.5f));
  c.Fill(Segment({1, 41.5f}, {w - 1, 41.5f}, 0.5f), C(kLine));
  if (for_keys) {
    // three delay options, then the recording button's well
    for (int i = 0; i < 3; ++i) {
      const float y = 46 + i * 24.0f;
      c.Fill(RoundRect({6, y, w - 12, 22}, 3), C(kBase, 0.45f));
    }
    c.Fill(RoundRect({(w - kMacroButtonSize.w) / 2 - 4, 270, kMacroButtonSize.w + 8.0f, kMacroButtonSize.h + 8.0f}, 20),
           C(kBase));
  } else {
    c.Fill(RoundRect({6, 126, w - 12, 72}, 3), C(kBase, 0.45f));
  }
  // footer behind OK and Cancel
  c.Fill(Segment({8, 326.5f}, {w - 8, 326.5f}, 0.5f), C(kLine));
  return c;
}

}  // namespace zelko::skin
