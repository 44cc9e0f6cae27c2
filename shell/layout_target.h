// What applying a layout pack needs of the window: controls found by name.
// A control that does not exist is skipped, so a page that is not built yet
// simply takes nothing.
#pragma once
#include <QColor>
#include <QRect>
#include <QString>
#include <optional>

namespace zelko {

class LayoutTarget {
 public:
  virtual ~LayoutTarget() = default;
  // The control's place and size, or nothing when no control has that name.
  virtual std::optional<QRect> GeometryOf(const QString& control) const = 0;
  virtual void Move(const QString& control, int left, int top) = 0;
  virtual void Resize(const QString& control, int width, int height) = 0;
  virtual void SetShown(const QString& control, bool shown) = 0;
  virtual void SetFontSize(const QString& control, int points) = 0;
  virtual void SetFontColour(const QString& control, const QColor& colour) = 0;
};

}  // namespace zelko
