#include "shell/screenshot.h"

#include <QDir>
#include <QPixmap>
#include <array>

#include "base/atomic_file.h"
#include "shell/main_window.h"
#include "shell/png_codec.h"

namespace zelko {

namespace {

struct PagePicture {
  Page page;
  const char* file;
};

constexpr std::array<PagePicture, 6> kPictures{{
    {Page::Main, "main"},
    {Page::Second, "second"},
    {Page::Advanced, "advanced"},
    {Page::Light, "light"},
    {Page::Macro, "macro"},
    {Page::Engineer, "engineer"},
}};

bool Save(MainWindow& window, const QString& path, QString* error) {
  const std::vector<std::uint8_t> png = EncodePng(window.grab().toImage());
  const std::string failure =
      png.empty() ? std::string("cannot encode the picture") : WriteFileAtomically(path.toStdString(), png);
  if (failure.empty()) return true;
  if (error) *error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(failure));
  return false;
}

}  // namespace

QStringList RenderAllPages(MainWindow& window, const QString& folder, QString* error) {
  QStringList written;
  if (!QDir().mkpath(folder)) {
    if (error) *error = QStringLiteral("cannot create %1").arg(folder);
    return written;
  }
  const QDir dir(folder);
  for (int language = 1; language <= 3; ++language) {
    window.LanguageButtonClick(language);
    for (const auto& picture : kPictures) {
      window.ShowPageUnchecked(picture.page);
      const QString path = dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(picture.file));
      if (!Save(window, path, error)) return written;
      written << path;
    }
  }
  window.LanguageButtonClick(1);
  window.ShowPageUnchecked(Page::Main);
  const QString main = dir.filePath(QStringLiteral("main.png"));
  if (Save(window, main, error)) written << main;
  return written;
}

}  // namespace zelko
