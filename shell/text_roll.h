// The rolling caption of a hovered skinned button: while the mouse rests on
// a button its caption scrolls leftwards with a four-blank gap, one step per
// tick of the 200 ms LabelRun timer, when the layout switch TR_Enable is 1.
#pragma once
#include <QString>

namespace zelko {

class TextRoll {
 public:
  static constexpr int kTickMs = 200;

  // The mouse entered `labelName` whose caption is `caption`.
  void Start(const QString& labelName, const QString& caption);
  // The mouse left; returns the caption to put back.
  QString Stop();

  // One timer tick. With rolling enabled the working copy moves one
  // character and is returned; otherwise nothing changes and the current
  // working copy is returned.
  QString Tick(bool rollingEnabled);

  bool active() const { return active_; }
  const QString& labelName() const { return label_name_; }
  const QString& remembered() const { return remembered_; }
  const QString& working() const { return working_; }
  int ticks() const { return ticks_; }

  // The remembered caption changes while hovered (a language switch under
  // the mouse), so that leaving restores the new text.
  void Remember(const QString& caption) { remembered_ = caption; }

 private:
  bool active_ = false;
  QString label_name_;
  QString remembered_;
  QString working_;
  int ticks_ = 0;
};

}  // namespace zelko
