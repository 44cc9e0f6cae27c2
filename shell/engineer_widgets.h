// The engineer page's own small widgets: the drawn logo whose double-click
// drives engineer mode, the result mark of the Default button, and the one
// helper that makes the page's plain controls and registers them by name.
#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <functional>

#include "shell/control_registry.h"

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

// The widgets of the page, made and registered by name.
class ControlMaker {
 public:
  ControlMaker(ControlRegistry& registry, std::function<QString(int)> term) : registry_(registry), term_(std::move(term)) {}

  template <typename Widget>
  Widget* Named(const QString& name, QWidget* parent, const QRect& place) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(place);
    registry_.Add(widget);
    return widget;
  }
  QLabel* Caption(QWidget* parent, const QString& text, const QRect& place, const QString& name = {}) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    if (!name.isEmpty()) {
      label->setObjectName(name);
      registry_.Add(label);
    }
    return label;
  }
  QLabel* Term(QWidget* parent, int index, const QRect& place, const QString& name = {}) {
    return Caption(parent, term_(index), place, name);
  }
  QGroupBox* Group(const QString& name, QWidget* parent, const QString& title, const QRect& place) {
    auto* group = Named<QGroupBox>(name, parent, place);
    group->setTitle(title);
    return group;
  }
  QComboBox* List(const QString& name, QWidget* parent, const QRect& place, const QStringList& items) {
    auto* list = Named<QComboBox>(name, parent, place);
    list->addItems(items);
    list->setMaxVisibleItems(12);
    return list;
  }
  // Digits only; the page rules clamp the value.
  QLineEdit* Edit(const QString& name, QWidget* parent, const QRect& place, int maxLength) {
    auto* edit = Named<QLineEdit>(name, parent, place);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setMaxLength(maxLength);
    return edit;
  }
  QRadioButton* Radio(const QString& name, QWidget* parent, int termIndex, const QRect& place) {
    auto* radio = Named<QRadioButton>(name, parent, place);
    radio->setText(term_(termIndex));
    return radio;
  }
  QCheckBox* Check(const QString& name, QWidget* parent, int termIndex, const QRect& place) {
    auto* box = Named<QCheckBox>(name, parent, place);
    box->setText(term_(termIndex));
    return box;
  }

 private:
  ControlRegistry& registry_;
  std::function<QString(int)> term_;
};


}  // namespace zelko
