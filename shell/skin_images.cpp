#include "shell/skin_images.h"

#include <QHash>

#include "resources/resources.h"
#include "shell/png_codec.h"

namespace zelko {

QImage LoadSkinImage(const QString& name) {
  const auto bytes = LookupResource(name.toStdString());
  if (!bytes) return {};
  return DecodeSkinPng(*bytes);
}

QPixmap LoadSkinPixmap(const QString& name) {
  // The images are compiled in and never change, so a decoded picture can be
  // shared: the 80 copies of the button pictures cost one decode each.
  static QHash<QString, QPixmap> decoded;
  const QString key = name.toLower();
  if (const auto it = decoded.constFind(key); it != decoded.constEnd()) return *it;
  const QImage image = LoadSkinImage(name);
  if (image.isNull()) return {};
  const QPixmap pixmap = QPixmap::fromImage(image);
  decoded.insert(key, pixmap);
  return pixmap;
}

QString LanguageImageName(int languageIndex, const QString& stem) {
  return QStringLiteral("L%1_%2").arg(languageIndex).arg(stem);
}

}  // namespace zelko
