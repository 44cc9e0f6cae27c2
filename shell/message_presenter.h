// How the window shows its modal messages. The window holds a presenter, so
// tests replace the message boxes with a recorder that never blocks.
#pragma once
#include <QString>
#include <QWidget>

namespace zelko {

enum class MessageKind {
  Standard,  // the standard message box with one OK button
  Program,   // RefreshFormMessagDialog: no icon, one OK button, the pack's font
};

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Shows `text` modally over `owner` and returns when it is dismissed.
  // Both kinds carry `title` (the application title) as caption, so that
  // every box of the window reads the same.
  virtual void Show(QWidget* owner, const QString& text, MessageKind kind, const QString& fontName,
                    const QString& title) = 0;
};

// QMessageBox: no icon, one OK button, the given font.
class QtMessagePresenter final : public MessagePresenter {
 public:
  void Show(QWidget* owner, const QString& text, MessageKind kind, const QString& fontName,
            const QString& title) override;
};

}  // namespace zelko
