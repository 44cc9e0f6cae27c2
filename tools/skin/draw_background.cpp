#include <algorithm>
#include <string>

#include "tools/skin/draw_pages.h"
#include "tools/skin/image_set.h"
#include "tools/skin/page_words.h"
#include "tools/skin/outline_text.h"
#include "tools/skin/panel_kit.h"
#include "tools/skin/pixel_font.h"
#include "tools/skin/theme.h"

namespace zelko::skin {
namespace {

using namespace theme;

constexpr float kW = kBackgroundSize.w, kH = kBackgroundSize.h;
constexpr float kTitleBottom = 60, kSidebarRight = 192, kFooterTop = 580;
constexpr float kCut = 22;  // the large 45-degree corner cuts

void TitleBar(Canvas& c, const PageWords& words) {
  c.Fill(Shape{[](float, float y) { return y - kTitleBottom; }, {0, 0, kW, kTitleBottom + 1}},
         Vertical(C(kPanel), C(kBody), 0, kTitleBottom));
  c.Fill(Segment({0, kTitleBottom - 0.5f}, {kW, kTitleBottom - 0.5f}, 0.5f), C(kLine));
  // the accent edge along the top, starting from the cut corner
  c.Fill(Segment({kCut + 1, 1.5f}, {300, 1.5f}, 1), C(kAccent));
  c.Fill(Segment({300, 1.5f}, {312, 1.5f}, 1), C(kAccent, 0.4f));
  // logo: ZELKO in light, 77 in the accent
  constexpr int scale = 3, x = 34, y = 19;
  DrawText(c, x, y, "ZELKO", C(kText), scale, 1);
  const int x77 = x + TextWidth("ZELKO", scale, 1) + scale + 1;
  DrawText(c, x77, y, "77", C(kAccent), scale, 1);
  const int sub_x = x77 + TextWidth("77", scale, 1) + 14;
  if (*words.subtitle != '\0') {
    c.Fill(Segment({static_cast<float>(sub_x - 7), 21}, {static_cast<float>(sub_x - 7), 39}, 0.5f), C(kLineHi));
    (void)DrawWords(c, sub_x, y + 7, words.subtitle, C(kTextDim), 1, 1);
  }
}

void Sidebar(Canvas& c, const SkinLayout& s, const PageWords& words) {
  c.Fill(Shape{[](float x, float y) {
                 return std::max({x - kSidebarRight, kTitleBottom - y, y - kFooterTop});
               },
               {0, kTitleBottom, kSidebarRight + 1, kFooterTop - kTitleBottom}},
         C(kBase));
  c.Fill(Segment({kSidebarRight - 0.5f, kTitleBottom}, {kSidebarRight - 0.5f, kFooterTop}, 0.5f), C(kLine));
  Pen pen(c, {0, 0});
  struct Group {
    const char* first;
    const char* last;
    const char* heading;
  };
  for (const Group& g : {Group{"Btn_B1", "Btn_B11", words.pages}, Group{"Btn_B6", "Btn_B7", words.files},
                         Group{"Btn_B8", "Btn_B10", words.language}}) {
    const Point first = s.At(g.first);
    const Point last = s.At(g.last);
    if (*g.heading != '\0') {
      pen.Heading({first.x + 4, first.y - 14}, g.heading);
    } else {
      c.Fill(RoundRect({static_cast<float>(first.x + 4), static_cast<float>(first.y - 10), 24, 3}, 1),
             C(kAccent));
    }
    // a hairline rail beside the group's tabs
    const float rail_x = static_cast<float>(first.x) - 7;
    c.Fill(Segment({rail_x, static_cast<float>(first.y + 4)},
                   {rail_x, static_cast<float>(last.y + kTabSize.h - 4)}, 0.5f),
           C(kLine));
  }
}

void Footer(Canvas& c, const SkinLayout& s) {
  c.Fill(Shape{[](float, float y) { return kFooterTop - y; }, {0, kFooterTop, kW, kH - kFooterTop}},
         Vertical(C(kBase), C(kBody), kFooterTop, kH));
  c.Fill(Segment({0, kFooterTop + 0.5f}, {kW, kFooterTop + 0.5f}, 0.5f), C(kLine));
  Pen pen(c, {0, 0});
  bool left_corner_free = true;
  const Vec web{kWebX + kWebSize.w / 2.0f, kWebY + kWebSize.h / 2.0f};
  const float ring = kWebSize.w / 2.0f + 4;
  bool left_line_free = true, right_line_free = true;
  for (const char* b : {"Btn_A1", "Btn_A2", "Btn_A8", "Btn_A3", "Btn_A5", "Btn_A6"}) {
    if (!s.Enabled(b) || !s.Inside(b)) continue;
    const Point p = s.At(b);
    left_corner_free = left_corner_free && p.x >= 110;
    const Rect well{static_cast<float>(p.x) - 3, static_cast<float>(p.y) - 3, kActionSize.w + 6.0f,
                    kActionSize.h + 6.0f};
    left_line_free = left_line_free && (well.x + well.w < web.x - 64 || well.x > web.x);
    right_line_free = right_line_free && (well.x > web.x + 64 || well.x + well.w < web.x);
    c.Fill(Chamfered(well, 10, 0, 10, 0), C(kBase));
    c.Fill(InnerOutline(Chamfered(well, 10, 0, 10, 0), 1), C(kLine));
  }
  // the web button's ring, with hairlines reaching out where nothing sits
  c.Fill(Circle(web, ring), C(kBase));
  c.Fill(InnerOutline(Circle(web, ring), 1), C(kLine));
  if (left_line_free) c.Fill(Segment({web.x - 60, web.y}, {web.x - ring - 4, web.y}, 0.5f), C(kLineHi));
  if (right_line_free) c.Fill(Segment({web.x + ring + 4, web.y}, {web.x + 60, web.y}, 0.5f), C(kLineHi));
  if (left_corner_free) {
    // a small emblem where no button sits
    const Rect box{26, 600, 64, 32};
    c.Fill(Chamfered(box, 8, 0, 8, 0), C(kRaised));
    c.Fill(InnerOutline(Chamfered(box, 8, 0, 8, 0), 1), C(kAccentDeep));
    DrawText(c, 38, 609, "Z", C(kText), 2, 0);
    DrawText(c, 52, 609, "77", C(kAccent), 2, 0);
  }
  // hatching in the bottom right corner cut
  for (int i = 0; i < 4; ++i) {
    const float x = kW - 70 + i * 9.0f;
    c.Fill(Segment({x, kH - 10}, {x + 8, kH - 18}, 1), C(kAccent, 0.35f + 0.15f * i));
  }
}

}  // namespace

Canvas DrawBackground(const SkinLayout& layout) {
  const PageWords& words = WordsFor(layout.language());
  Canvas body(kBackgroundSize.w, kBackgroundSize.h);
  body.Fill(RoundRect({0, 0, kW, kH}, 0), C(kBody));
  TitleBar(body, words);
  Sidebar(body, layout, words);
  Footer(body, layout);
  const Shape outline = Chamfered({0, 0, kW, kH}, kCut, 8, kCut, 8);
  body.Fill(InnerOutline(outline, 1), C(kLineHi));
  body.Fill(Segment({0, kCut}, {kCut, 0}, 1.2f), C(kAccent));
  body.Fill(Segment({kW - kCut, kH}, {kW, kH - kCut}, 1.2f), C(kAccent));
  // Cut the window's outline with hard edges: a half-covered pixel would mix
  // with the colour key and leave a fringe once the key is made transparent.
  Canvas shaped(kBackgroundSize.w, kBackgroundSize.h);
  for (int y = 0; y < body.height(); ++y) {
    for (int x = 0; x < body.width(); ++x) {
      if (outline(x + 0.5f, y + 0.5f) < 0) shaped.Set(x, y, body.At(x, y));
    }
  }
  return shaped;
}

}  // namespace zelko::skin
