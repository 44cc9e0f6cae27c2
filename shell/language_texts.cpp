#include "shell/language_texts.h"

#include "resources/language_pack.h"

namespace zelko {

QString LanguageTexts::Text(const char* id) const {
  return QString::fromStdString(LangText(index_, id));
}

QString LanguageTexts::Text(const QString& id) const {
  return QString::fromStdString(LangText(index_, id.toStdString()));
}

std::optional<QString> LanguageTexts::Translate(const QString& caption) const {
  const std::string id = FindTextId(caption.toStdString());
  if (id.empty()) return std::nullopt;
  return QString::fromStdString(LangText(index_, id));
}

}  // namespace zelko
