// The engineer page's own small widgets: the drawn logo whose double-click
// drives engineer mode and the result mark of the Default button.
#pragma once
#include <QLabel>
#include <functional>

namespace zelko {

// The logo: the product's name, drawn; a double-click drives engineer mode.
class LogoLabel final : public QLabel {
 public:
  LogoLabel(const QString& name, QWidget* parent, std::function<void()> doubleClicked);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::function<void()> double_clicked_;
};

// The result mark shown after the Default button's write verified.
class ResultMark final : public QLabel {
 public:
  ResultMark(const QString& name, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelko
