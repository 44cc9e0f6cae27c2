#include "shell/skin_images.h"

#include "resources/resources.h"
#include "shell/png_image_loader.h"

namespace zelko {

QImage LoadSkinImage(const QString& name) {
  const auto bytes = LookupResource(name.toStdString());
  if (!bytes) return {};
  return DecodeSkinPng(*bytes);
}

QPixmap LoadSkinPixmap(const QString& name) {
  const QImage image = LoadSkinImage(name);
  if (image.isNull()) return {};
  return QPixmap::fromImage(image);
}

QString LanguageImageName(int languageIndex, const QString& stem) {
  return QStringLiteral("L%1_%2").arg(languageIndex).arg(stem);
}

}  // namespace zelko
