#include "shell/engineer_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace zelko {

LogoLabel::LogoLabel(const QString& name, QWidget* parent, std::function<void()> doubleClicked)
    : QLabel(parent), double_clicked_(std::move(doubleClicked)) {
  setObjectName(name);
}

void LogoLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = this->font();
  font.setBold(true);
  font.setPixelSize(height() / 2);
  painter.setFont(font);
  painter.setPen(QColor(0, 210, 255));
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELKO77"));
}

void LogoLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && double_clicked_) double_clicked_();
}

ResultMark::ResultMark(const QString& name, QWidget* parent) : QLabel(parent) { setObjectName(name); }

void ResultMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF circle = QRectF(rect()).adjusted(3, 3, -3, -3);
  painter.setPen(QPen(QColor(64, 200, 120), 3));
  painter.drawEllipse(circle);
  QPainterPath tick;
  tick.moveTo(circle.left() + circle.width() * 0.26, circle.top() + circle.height() * 0.52);
  tick.lineTo(circle.left() + circle.width() * 0.44, circle.top() + circle.height() * 0.70);
  tick.lineTo(circle.left() + circle.width() * 0.76, circle.top() + circle.height() * 0.32);
  painter.setPen(QPen(QColor(64, 200, 120), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(tick);
}

}  // namespace zelko
