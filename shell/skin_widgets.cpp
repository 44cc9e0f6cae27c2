#include "shell/skin_widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>

#include "shell/skin_images.h"

namespace zelko {

SkinImage::SkinImage(const QString& objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setAttribute(Qt::WA_TranslucentBackground);
}

void SkinImage::ShowImage(const QString& imageName) {
  image_name_ = imageName;
  const QPixmap pixmap = LoadSkinPixmap(imageName);
  if (pixmap.isNull()) {
    clear();
    return;
  }
  setPixmap(pixmap);
  resize(pixmap.size());
}

void SkinImage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit pressed(event->globalPosition().toPoint());
  QLabel::mousePressEvent(event);
}

HoverLabel::HoverLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_Hover);
  setAlignment(Qt::AlignCenter);
  setCursor(Qt::PointingHandCursor);
}

void HoverLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  emit entered();
}

void HoverLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  emit left();
}

void HoverLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    FinishEditInProgress();
    emit clicked();
  }
}

void FinishEditInProgress() {
  // A label takes no focus, so an edit would keep it through a click on
  // Apply, and its leave rule (a repeat count of 1 becomes 2) would not have
  // run when Apply reads the settings. Taking the focus away ends the edit
  // as a click on a real button does: the edit's rule runs first, and what
  // the edit shows is what the click acts on.
  if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) edit->clearFocus();
}

}  // namespace zelko

namespace zelko {

CoverLabel::CoverLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setAttribute(Qt::WA_TranslucentBackground);
}

void CoverLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) emit pressed(event->globalPosition().toPoint());
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

}  // namespace zelko
