// The window's controls by object name, so that packs, rules and tests find
// them as the layout packs name them ("Img_Apply_2", "Key3", "gbPage4").
#pragma once
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <initializer_list>

#include "pages/image_change.h"
#include "shell/layout_target.h"

namespace zelko {

class SkinImage;
class HoverLabel;

class ControlRegistry final : public LayoutTarget {
 public:
  void Add(QWidget* control);
  QWidget* Find(const QString& name) const;
  SkinImage* Image(const QString& name) const;
  HoverLabel* Label(const QString& name) const;

  // A picture the window names itself: control, image.
  struct Shown {
    QString control;
    QString image;
  };

  // Puts each picture into its image control; unknown controls are skipped.
  void ShowImages(const ImageChanges& changes) const;
  void ShowImages(std::initializer_list<Shown> changes) const;
  void SetCaption(const QString& label, const QString& caption) const;
  QString Caption(const QString& label) const;

  // LayoutTarget
  std::optional<QRect> GeometryOf(const QString& control) const override;
  void Move(const QString& control, int left, int top) override;
  void Resize(const QString& control, int width, int height) override;
  void SetShown(const QString& control, bool shown) override;
  void SetFontSize(const QString& control, int points) override;
  void SetFontColour(const QString& control, const QColor& colour) override;

 private:
  QHash<QString, QPointer<QWidget>> controls_;
};

// A control made under `parent` and registered by its name.
template <typename Widget>
Widget* MakeControl(const QString& name, QWidget* parent, ControlRegistry& registry) {
  auto* widget = new Widget(name, parent);
  registry.Add(widget);
  return widget;
}

}  // namespace zelko
