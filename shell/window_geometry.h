// Where the windows go: pure arithmetic, rounded toward zero like the
// integer division it is.
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zelko {

// The top-left corner that centres `size` over `area`.
inline QPoint CenteredOver(const QRect& area, const QSize& size) {
  return {area.left() + (area.width() - size.width()) / 2,
          area.top() + (area.height() - size.height()) / 2};
}

}  // namespace zelko
