// A floating-point RGBA canvas with anti-aliased shapes described by signed
// distance functions: a pixel is covered by 0.5 - distance (in pixels),
// clamped to 0..1, so every edge is one pixel soft and exactly placed.
#pragma once
#include <functional>
#include <vector>

namespace zelko::skin {

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;  // straight alpha, 0..1 each
};

// 0xRRGGBB with an optional opacity.
Colour Hex(unsigned rgb, float alpha = 1.0f);
Colour Mix(Colour from, Colour to, float t);
Colour WithAlpha(Colour c, float alpha);

struct Rect {
  float x = 0, y = 0, w = 0, h = 0;
  Rect Inset(float d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
  Rect Moved(float dx, float dy) const { return {x + dx, y + dy, w, h}; }
};

struct Vec {
  float x = 0, y = 0;
};

// Signed distance from a point: negative inside, positive outside, with the
// box outside of which the shape covers nothing (so fills touch few pixels).
struct Shape {
  std::function<float(float x, float y)> distance;
  Rect bounds;
  float operator()(float x, float y) const { return distance(x, y); }
};
// The colour of the fill at a point.
using Paint = std::function<Colour(float x, float y)>;

Shape RoundRect(Rect r, float radius);
Shape Circle(Vec centre, float radius);
Shape Segment(Vec a, Vec b, float half_width);
Shape Polygon(std::vector<Vec> points);
// A rectangle with its corners cut at 45 degrees (tl, tr, br, bl cut lengths).
Shape Chamfered(Rect r, float tl, float tr, float br, float bl);
// The band of the given width centred on the outline of a shape.
Shape Outline(Shape s, float width);
// The band of the given width just inside the outline of a shape.
Shape InnerOutline(Shape s, float width);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

Paint Solid(Colour c);
// Top-to-bottom gradient between y0 and y1 (clamped outside).
Paint Vertical(Colour top, Colour bottom, float y0, float y1);
Paint Horizontal(Colour left, Colour right, float x0, float x1);

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = {0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }
  Colour At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Colour c) { pixels_[Index(x, y)] = c; }

  // Source-over blend of colour c at coverage 0..1.
  void Blend(int x, int y, Colour c, float coverage);
  void Fill(const Shape& shape, const Paint& paint);
  void Fill(const Shape& shape, Colour c) { Fill(shape, Solid(c)); }
  // Pixels whose centre lies inside the shape, without soft edges: for the
  // window outline, where a half-covered pixel would blend with the colour key.
  void FillHard(const Shape& shape, Colour c);
  // A soft halo around a shape, fading over `spread` pixels.
  void Glow(const Shape& shape, Colour c, float spread);
  // Axis-aligned pixel rectangle without anti-aliasing.
  void FillPixels(int x, int y, int w, int h, Colour c);
  // Draws another canvas with its top-left corner at (x, y).
  void Draw(const Canvas& other, int x, int y);

 private:
  int Index(int x, int y) const { return y * width_ + x; }

  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

}  // namespace zelko::skin
