#include "shell/text_roll.h"

namespace zelko {

namespace {
// After this many ticks the counter wraps to 2, so the gap is inserted once.
constexpr int kCounterWrapAbove = 20;
constexpr int kCounterAfterWrap = 2;
const QString kGap = QStringLiteral("    ");
}  // namespace

void TextRoll::Start(const QString& labelName, const QString& caption) {
  active_ = true;
  label_name_ = labelName;
  remembered_ = caption;
  working_ = caption;
  ticks_ = 0;
}

QString TextRoll::Stop() {
  active_ = false;
  QString caption = remembered_;
  label_name_.clear();
  working_.clear();
  ticks_ = 0;
  return caption;
}

QString TextRoll::Tick(bool rollingEnabled) {
  if (!active_ || !rollingEnabled) return working_;
  ++ticks_;
  if (ticks_ > kCounterWrapAbove) ticks_ = kCounterAfterWrap;
  if (working_.isEmpty()) return working_;
  const QChar first = working_.front();
  if (ticks_ == 1) {
    working_ = working_.mid(1) + kGap + first;
  } else {
    working_ = working_.mid(1) + first;
  }
  return working_;
}

}  // namespace zelko
