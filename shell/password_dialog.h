// The engineer access dialog: a small borderless window on top of the
// main window, centred on it, captioned "Password", with the prompt
// "PASSWORD:", an input shown as "*", and "OK" and "Cancel". It is not
// modal: it reports how it was closed through a callback (the text on OK,
// nothing on Cancel or Escape) and deletes itself. Closed any other way it
// reports nothing, which leaves engineer mode off as Cancel does.
#pragma once
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

namespace zelko {

class PasswordDialog final : public QWidget {
  Q_OBJECT
 public:
  using Closed = std::function<void(const std::optional<QString>& text)>;
  // `owner`: the main window's place and size, for centring.
  PasswordDialog(QWidget* parent, const QRect& owner, Closed closed);

  QLineEdit* field() const { return field_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Finish(const std::optional<QString>& text);

  QLineEdit* field_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  Closed closed_;
};

}  // namespace zelko
