#include "shell/progress_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "shell/window_geometry.h"

namespace zelko {

namespace {
constexpr int kDots = 12;
constexpr double kPi = 3.14159265358979323846;
const QColor kPanel(18, 20, 26);
const QColor kAccent(0, 200, 255);
}  // namespace

ProgressWindow::ProgressWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_window_(mainWindow) {
  setObjectName(QStringLiteral("FormLoadingUI"));
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Rounded corners without a compositor: the window is shaped by a mask.
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, kWidth, kHeight), 18, 18);
  setMask(QRegion(path.toFillPolygon().toPolygon()));
  animation_.setInterval(kFrameMs);
  connect(&animation_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kDots;
    update();
  });
}

void ProgressWindow::ShowChunk(int done, int total) {
  done_ = done;
  total_ = total;
  if (main_window_) move(CenteredOver(main_window_->frameGeometry(), size()));
  if (!isVisible()) show();
  // The transfer holds the GUI thread between chunks: paint now rather
  // than when the event loop comes round.
  repaint();
  // Hand the picture to the window system now: the event loop does not go
  // idle (where it would flush) until the transfer ends.
  QGuiApplication::sync();
}

void ProgressWindow::HideNow() { hide(); }

void ProgressWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  animation_.start();
}

void ProgressWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  animation_.stop();  // no timer runs while nothing moves
}

void ProgressWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), kPanel);
  const QPointF centre(width() / 2.0, height() / 2.0 - 12);
  const double radius = 46;
  for (int i = 0; i < kDots; ++i) {
    const double angle = 2 * kPi * i / kDots - kPi / 2;
    const int age = (frame_ - i + kDots) % kDots;  // 0: the leading dot
    QColor dot = kAccent;
    dot.setAlphaF(std::max(0.12, 1.0 - age / static_cast<double>(kDots - 2)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    const QPointF p(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    painter.drawEllipse(p, age == 0 ? 7.0 : 5.5, age == 0 ? 7.0 : 5.5);
  }
  if (total_ > 0) {
    painter.setPen(QColor(230, 236, 245));
    QFont font = painter.font();
    font.setPointSize(13);
    font.setBold(true);
    painter.setFont(font);
    const int percent = static_cast<int>(100LL * done_ / total_);
    painter.drawText(QRectF(0, centre.y() - 12, width(), 24), Qt::AlignCenter,
                     QStringLiteral("%1%").arg(percent));
    // A thin bar of the share done.
    const QRectF track(28, height() - 30, width() - 56, 4);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawRoundedRect(track, 2, 2);
    painter.setBrush(kAccent);
    painter.drawRoundedRect(QRectF(track.left(), track.top(), track.width() * done_ / total_, 4), 2, 2);
  }
}

}  // namespace zelko
