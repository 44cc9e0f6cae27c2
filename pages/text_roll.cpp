#include "pages/text_roll.h"

namespace zelko {

namespace {

// After this many ticks the counter wraps to 2, so the gap is inserted once.
constexpr int kCounterWrapAbove = 20;
constexpr int kCounterAfterWrap = 2;
constexpr std::string_view kGap = "    ";

// Bytes of the UTF-8 character that starts `text`. A byte that starts no
// character, or a character cut short, counts as one byte of its own.
std::size_t FirstCharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  std::size_t length = 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
  }
  if (length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

void TextRoll::Start(std::string_view labelName, std::string_view caption) {
  active_ = true;
  label_name_ = labelName;
  remembered_ = caption;
  working_ = caption;
  ticks_ = 0;
}

std::string TextRoll::Stop() {
  active_ = false;
  std::string caption = remembered_;
  label_name_.clear();
  working_.clear();
  ticks_ = 0;
  return caption;
}

const std::string& TextRoll::Tick(bool rollingEnabled) {
  if (!active_ || !rollingEnabled) return working_;
  ++ticks_;
  if (ticks_ > kCounterWrapAbove) ticks_ = kCounterAfterWrap;
  if (working_.empty()) return working_;
  const std::string first = working_.substr(0, FirstCharacterLength(working_));
  working_.erase(0, first.size());
  if (ticks_ == 1) working_ += kGap;
  working_ += first;
  return working_;
}

}  // namespace zelko
