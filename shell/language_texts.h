// The texts of the current language pack as the window shows them.
#pragma once
#include <QString>
#include <optional>

namespace zelko {

class LanguageTexts {
 public:
  explicit LanguageTexts(int languageIndex = 1) : index_(languageIndex) {}

  int index() const { return index_; }
  void Select(int languageIndex) { index_ = languageIndex; }

  // The current pack's text of an id; empty when the pack lacks it.
  QString Text(const char* id) const;
  QString Text(const QString& id) const;
  QString fontName() const { return Text("FontName"); }
  QString title() const { return Text("Title"); }

  // The id whose text equals `caption` in any pack (last match wins), then
  // that id's text in the current pack; nothing when no id matches.
  std::optional<QString> Translate(const QString& caption) const;

 private:
  int index_;
};

}  // namespace zelko
