// The progress window shown over the main window while a transfer runs: a
// small borderless, always-on-top square with a looping animation of our
// own and the share of the transfer done.
#pragma once
#include <QTimer>
#include <QWidget>

namespace zelko {

class ProgressWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 206;
  static constexpr int kHeight = 196;
  static constexpr int kFrameMs = 60;

  explicit ProgressWindow(QWidget* mainWindow);

  // Centres over the main window, shows, and records the transfer's share.
  void ShowChunk(int done, int total);
  void HideNow();

  int frame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* main_window_;
  QTimer animation_;
  int frame_ = 0;
  int done_ = 0;
  int total_ = 0;
};

}  // namespace zelko
