#include "shell/password_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "resources/engineer_terms.h"
#include "shell/window_geometry.h"

namespace zelko {

namespace {

constexpr QSize kDialogSize(300, 140);

constexpr const char* kDialogStyle = R"(
QLabel { color: #dce2eb; }
QLabel#lbl_PasswordCaption { color: #00d2ff; font-weight: bold; }
QLineEdit { background: #0c0e12; color: #dce2eb; border: 1px solid #3a4452; padding: 0 4px;
  lineedit-password-character: 42; }
QLineEdit:focus { border-color: #00d2ff; }
QPushButton { background: #242832; color: #dce2eb; border: 1px solid #3a4452; border-radius: 2px; }
QPushButton:hover { border-color: #00d2ff; }
QPushButton:pressed { background: #00d2ff; color: #0b0d11; }
)";

}  // namespace

PasswordDialog::PasswordDialog(QWidget* parent, const QRect& owner, Closed closed)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), closed_(std::move(closed)) {
  setObjectName(QStringLiteral("PasswordDialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Password"));
  setStyleSheet(QLatin1String(kDialogStyle));
  QFont font = this->font();
  font.setFamily(QString::fromUtf8(kEngineerPageFont.data(), static_cast<qsizetype>(kEngineerPageFont.size())));
  font.setPointSize(9);
  setFont(font);
  resize(kDialogSize);

  auto* caption = new QLabel(QStringLiteral("Password"), this);
  caption->setObjectName(QStringLiteral("lbl_PasswordCaption"));
  caption->setGeometry(12, 8, 276, 20);
  auto* prompt = new QLabel(QStringLiteral("PASSWORD:"), this);
  prompt->setObjectName(QStringLiteral("lbl_PasswordPrompt"));
  prompt->setGeometry(16, 42, 90, 24);
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("edt_Password"));
  field_->setEchoMode(QLineEdit::Password);
  field_->setGeometry(104, 42, 180, 24);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("btn_PasswordOK"));
  ok_->setGeometry(108, 96, 84, 28);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("btn_PasswordCancel"));
  cancel_->setGeometry(200, 96, 84, 28);
  connect(ok_, &QPushButton::clicked, this, [this] { Finish(field_->text()); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Finish(std::nullopt); });
  connect(field_, &QLineEdit::returnPressed, this, [this] { Finish(field_->text()); });

  move(CenteredOver(owner, size()));
  show();
  raise();
  activateWindow();
  field_->setFocus();
}

void PasswordDialog::Finish(const std::optional<QString>& text) {
  if (closed_) {
    auto closed = std::move(closed_);
    closed_ = nullptr;
    closed(text);
  }
  close();
}

void PasswordDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Finish(std::nullopt);
    return;
  }
  QWidget::keyPressEvent(event);
}

void PasswordDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(18, 20, 26));
  painter.setPen(QColor(58, 68, 82));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.fillRect(QRect(1, 1, width() - 2, 32), QColor(23, 27, 34));
}

}  // namespace zelko
