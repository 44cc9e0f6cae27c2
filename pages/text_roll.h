// The rolling caption of a hovered skinned button: while the mouse rests on
// a button its caption scrolls leftwards with a four-blank gap, one step per
// tick of the 200 ms LabelRun timer, when the layout switch TR_Enable is 1.
// Captions are UTF-8; a step moves one character (one code point), so a
// Chinese caption never shows half a character.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

class TextRoll {
 public:
  static constexpr int kTickMs = 200;

  // The mouse entered `labelName` whose caption is `caption`.
  void Start(std::string_view labelName, std::string_view caption);
  // The mouse left; returns the caption to put back.
  std::string Stop();

  // One timer tick. With rolling enabled the working copy moves one
  // character and is returned; otherwise nothing changes and the current
  // working copy is returned.
  const std::string& Tick(bool rollingEnabled);

  bool active() const { return active_; }
  const std::string& labelName() const { return label_name_; }
  const std::string& remembered() const { return remembered_; }
  const std::string& working() const { return working_; }
  int ticks() const { return ticks_; }

  // The remembered caption changes while hovered (a language switch under
  // the mouse), so that leaving restores the new text.
  void Remember(std::string_view caption) { remembered_ = caption; }

 private:
  bool active_ = false;
  std::string label_name_;
  std::string remembered_;
  std::string working_;
  int ticks_ = 0;
};

}  // namespace zelko
