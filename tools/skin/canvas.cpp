#include "tools/skin/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelko::skin {
namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

Rect Grow(Rect r, float d) { return {r.x - d, r.y - d, r.w + 2 * d, r.h + 2 * d}; }

}  // namespace

Colour Hex(unsigned rgb, float alpha) {
  return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
          static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
          static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Colour Mix(Colour from, Colour to, float t) {
  t = Clamp01(t);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
          from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour c, float alpha) {
  c.a = alpha;
  return c;
}

Shape RoundRect(Rect r, float radius) {
  const float cx = r.x + r.w / 2, cy = r.y + r.h / 2;
  const float hx = r.w / 2 - radius, hy = r.h / 2 - radius;
  return {[=](float x, float y) {
            const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
            const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
            return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
          },
          Grow(r, 1)};
}

Shape Circle(Vec c, float radius) {
  return {[=](float x, float y) { return std::hypot(x - c.x, y - c.y) - radius; },
          Grow({c.x - radius, c.y - radius, 2 * radius, 2 * radius}, 1)};
}

Shape Segment(Vec a, Vec b, float half_width) {
  const Rect box{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x), std::abs(a.y - b.y)};
  return {[=](float x, float y) {
            const float px = x - a.x, py = y - a.y, bx = b.x - a.x, by = b.y - a.y;
            const float len2 = bx * bx + by * by;
            const float t = len2 > 0 ? Clamp01((px * bx + py * by) / len2) : 0.0f;
            return std::hypot(px - bx * t, py - by * t) - half_width;
          },
          Grow(box, half_width + 1)};
}

Shape Polygon(std::vector<Vec> v) {
  Rect box{v[0].x, v[0].y, 0, 0};
  float x1 = v[0].x, y1 = v[0].y;
  for (const Vec& p : v) {
    box.x = std::min(box.x, p.x);
    box.y = std::min(box.y, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  box.w = x1 - box.x;
  box.h = y1 - box.y;
  return {[v = std::move(v)](float x, float y) {
            // Distance to the nearest edge, signed by the even-odd rule.
            float d2 = 1e30f;
            bool inside = false;
            for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
              const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
              const float wx = x - v[i].x, wy = y - v[i].y;
              const float len2 = ex * ex + ey * ey;
              const float t = len2 > 0 ? Clamp01((wx * ex + wy * ey) / len2) : 0.0f;
              const float dx = wx - ex * t, dy = wy - ey * t;
              d2 = std::min(d2, dx * dx + dy * dy);
              if ((v[i].y > y) != (v[j].y > y) &&
                  x < v[i].x + (y - v[i].y) * ex / ey) {
                inside = !inside;
              }
            }
            const float d = std::sqrt(d2);
            return inside ? -d : d;
          },
          Grow(box, 1)};
}

Shape Chamfered(Rect r, float tl, float tr, float br, float bl) {
  const float x0 = r.x, y0 = r.y, x1 = r.x + r.w, y1 = r.y + r.h;
  return Polygon({{x0 + tl, y0}, {x1 - tr, y0}, {x1, y0 + tr}, {x1, y1 - br},
                  {x1 - br, y1}, {x0 + bl, y1}, {x0, y1 - bl}, {x0, y0 + tl}});
}

Shape Outline(Shape s, float width) {
  const Rect box = Grow(s.bounds, width);
  return {[s = std::move(s), width](float x, float y) { return std::abs(s(x, y)) - width / 2; },
          box};
}

Shape InnerOutline(Shape s, float width) {
  const Rect box = s.bounds;
  return {[s = std::move(s), width](float x, float y) {
            const float d = s(x, y);
            return std::max(d, -d - width);
          },
          box};
}

Shape Intersect(Shape a, Shape b) {
  const Rect box = a.bounds;
  return {[a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); },
          box};
}

Shape Subtract(Shape a, Shape b) {
  const Rect box = a.bounds;
  return {[a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); },
          box};
}

Paint Solid(Colour c) {
  return [c](float, float) { return c; };
}

Paint Vertical(Colour top, Colour bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, (y - y0) / std::max(1.0f, y1 - y0)); };
}

Paint Horizontal(Colour left, Colour right, float x0, float x1) {
  return [=](float x, float) { return Mix(left, right, (x - x0) / std::max(1.0f, x1 - x0)); };
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, Colour c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const float sa = c.a * Clamp01(coverage);
  if (sa <= 0) return;
  Colour& d = pixels_[Index(x, y)];
  const float out_a = sa + d.a * (1 - sa);
  if (out_a <= 0) return;
  const float keep = d.a * (1 - sa);
  d.r = (c.r * sa + d.r * keep) / out_a;
  d.g = (c.g * sa + d.g * keep) / out_a;
  d.b = (c.b * sa + d.b * keep) / out_a;
  d.a = out_a;
}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x)));
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(shape.bounds.x + shape.bounds.w)) + 1);
  const int y1 = std::min(height_, static_cast<int>(std::ceil(shape.bounds.y + shape.bounds.h)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float cov = Clamp01(0.5f - shape(px, py));
      if (cov > 0) Blend(x, y, paint(px, py), cov);
    }
  }
}

void Canvas::FillHard(const Shape& shape, Colour c) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (shape(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f) < 0) Blend(x, y, c, 1);
    }
  }
}

void Canvas::Glow(const Shape& shape, Colour c, float spread) {
  const Rect box = Grow(shape.bounds, spread);
  const int x0 = std::max(0, static_cast<int>(box.x));
  const int y0 = std::max(0, static_cast<int>(box.y));
  const int x1 = std::min(width_, static_cast<int>(box.x + box.w) + 1);
  const int y1 = std::min(height_, static_cast<int>(box.y + box.h) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float d = shape(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      if (d <= 0 || d >= spread) continue;
      const float t = 1 - d / spread;
      Blend(x, y, c, t * t);
    }
  }
}

void Canvas::FillPixels(int x, int y, int w, int h, Colour c) {
  for (int yy = y; yy < y + h; ++yy) {
    for (int xx = x; xx < x + w; ++xx) Blend(xx, yy, c, 1);
  }
}

void Canvas::Draw(const Canvas& other, int x, int y) {
  for (int yy = 0; yy < other.height(); ++yy) {
    for (int xx = 0; xx < other.width(); ++xx) Blend(x + xx, y + yy, other.At(xx, yy), 1);
  }
}

}  // namespace zelko::skin
