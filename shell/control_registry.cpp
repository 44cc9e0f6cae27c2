#include "shell/control_registry.h"

#include <QLabel>

#include "shell/skin_widgets.h"

namespace zelko {

void ControlRegistry::Add(QWidget* control) { controls_.insert(control->objectName(), control); }

QWidget* ControlRegistry::Find(const QString& name) const {
  const auto it = controls_.constFind(name);
  return it == controls_.constEnd() ? nullptr : it->data();
}

SkinImage* ControlRegistry::Image(const QString& name) const {
  return qobject_cast<SkinImage*>(Find(name));
}

HoverLabel* ControlRegistry::Label(const QString& name) const {
  return qobject_cast<HoverLabel*>(Find(name));
}

void ControlRegistry::ShowImages(const ImageChanges& changes) const {
  for (const auto& change : changes) {
    if (auto* image = Image(QString::fromStdString(change.control))) {
      image->ShowImage(QString::fromStdString(change.image));
    }
  }
}

void ControlRegistry::ShowImages(std::initializer_list<Shown> changes) const {
  for (const auto& change : changes) {
    if (auto* image = Image(change.control)) image->ShowImage(change.image);
  }
}

void ControlRegistry::SetCaption(const QString& label, const QString& caption) const {
  if (auto* control = qobject_cast<QLabel*>(Find(label))) control->setText(caption);
}

QString ControlRegistry::Caption(const QString& label) const {
  if (auto* control = qobject_cast<QLabel*>(Find(label))) return control->text();
  return {};
}

std::optional<QRect> ControlRegistry::GeometryOf(const QString& control) const {
  if (auto* widget = Find(control)) return widget->geometry();
  return std::nullopt;
}

void ControlRegistry::Move(const QString& control, int left, int top) {
  if (auto* widget = Find(control)) widget->move(left, top);
}

void ControlRegistry::Resize(const QString& control, int width, int height) {
  if (auto* widget = Find(control)) widget->resize(width, height);
}

void ControlRegistry::SetShown(const QString& control, bool shown) {
  if (auto* widget = Find(control)) widget->setVisible(shown);
}

void ControlRegistry::SetFontSize(const QString& control, int points) {
  if (auto* widget = Find(control)) {
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
  }
}

void ControlRegistry::SetFontColour(const QString& control, const QColor& colour) {
  if (auto* widget = Find(control)) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
  }
}

}  // namespace zelko
