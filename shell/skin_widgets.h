// The small widgets a skinned page is made of: a picture that shows a skin
// image by name, and a transparent label that carries a caption and reports
// hover, leave and click.
#pragma once
#include <QColor>
#include <QLabel>
#include <QMouseEvent>
#include <QString>

namespace zelko {

// A picture control ("Img_Apply_2"). It takes the size of its image.
class SkinImage : public QLabel {
  Q_OBJECT
 public:
  SkinImage(const QString& objectName, QWidget* parent);
  // Shows the named image; an unknown image leaves the control blank at its
  // size. The name stays readable for tests and redraws.
  void ShowImage(const QString& imageName);
  const QString& imageName() const { return image_name_; }

 signals:
  void pressed(QPoint globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString image_name_;
};

// A clickable caption over a picture ("Btn_Apply_2", "Key3"). Transparent;
// the caption is centred unless told otherwise.
class HoverLabel : public QLabel {
  Q_OBJECT
 public:
  HoverLabel(const QString& objectName, QWidget* parent);

 signals:
  void entered();
  void left();
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// Ends the typing in the edit that has the focus, so that its leave rule
// runs before a click acts on the settings; every clickable label runs it
// before it reports a click.
void FinishEditInProgress();

}  // namespace zelko

namespace zelko {

// A covering label (Disable_All_n): transparent, as large as its page,
// taking every click meant for the controls under it. A press still drags
// the window, as the page background would.
class CoverLabel : public QLabel {
  Q_OBJECT
 public:
  CoverLabel(const QString& objectName, QWidget* parent);

 signals:
  void pressed(QPoint globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

// The colour a label or an edit draws its text in.
void SetTextColour(QWidget* widget, const QColor& colour);

}  // namespace zelko
